// A stranger's DLL, planted beside a program under the name of one that the system loads
// late: when loaded, it leaves "<its own path>.loaded" beside itself and refuses to stay.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH + 8];
    DWORD n = GetModuleFileNameA(self, path, MAX_PATH);
    lstrcpyA(path + n, ".loaded");
    HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (mark != INVALID_HANDLE_VALUE)
        CloseHandle(mark);
    return FALSE;
}
