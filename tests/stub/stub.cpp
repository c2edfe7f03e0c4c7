// A program for the launcher to start: appends one line to the file named by
// LUMBRA_STUB_LOG, "<own full path>|<working folder>|<command line>|<performance counter>",
// and ends. A copy whose
// name starts with "WIN" first shows a window for three seconds, as most programs do.
#include <windows.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char log[MAX_PATH * 4];
    if (!GetEnvironmentVariableA("LUMBRA_STUB_LOG", log, sizeof log))
        return 2;
    char self[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    char cwd[MAX_PATH * 4];
    DWORD m = GetCurrentDirectoryA(sizeof cwd, cwd);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    std::string line = std::string(self, n) + "|" + std::string(cwd, m) + "|" + GetCommandLineA() + "|" +
                       std::to_string(now.QuadPart) + "\r\n";
    HANDLE f = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(f);

    const char* name = self + n;
    while (name > self && name[-1] != '\\')
        --name;
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name, 3, "WIN", 3) == CSTR_EQUAL) {
        HWND window = CreateWindowExA(0, "STATIC", "started program", WS_POPUP | WS_VISIBLE | WS_BORDER, 10, 10, 200,
                                      100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        DWORD until = GetTickCount() + 3000;
        while (GetTickCount() < until) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
            Sleep(10);
        }
    }
    return 0;
}
