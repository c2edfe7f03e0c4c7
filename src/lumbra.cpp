// Lumbra: starts the first program of a remembered folder, or asks for another folder.
#include <windows.h>
#include <objbase.h>
#include "lumbra1.h"
#include "ui/application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Later DLL loads come from the system folder only, never from beside the executable
    // (a disc or a downloads folder). The started programs don't inherit this.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); // the shell call asks for it

    try {
        Application->Initialize();
        Application->SetTitle("Lumbra");
        Application->CreateForm(Form1);
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Application Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
    Application->Run();
    return 0;
}
