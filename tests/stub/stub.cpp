// A program for the launcher to start: appends one line to the file named by
// LUMBRA_STUB_LOG, "<own full path>|<working folder>|<command line>", and ends.
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
    std::string line = std::string(self, n) + "|" + std::string(cwd, m) + "|" + GetCommandLineA() + "\r\n";
    HANDLE f = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(f);
    return 0;
}
