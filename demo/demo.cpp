// The demo disc's program: says where it was started from.
#include <windows.h>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH], folder[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    GetCurrentDirectoryA(sizeof folder, folder);
    std::string text = std::string("Lumbra started this program from the disc:\n\n") + self +
                       "\n\nWorking folder: " + folder;
    MessageBoxA(nullptr, text.c_str(), "Lumbra demo disc", MB_OK | MB_ICONINFORMATION);
    return 0;
}
