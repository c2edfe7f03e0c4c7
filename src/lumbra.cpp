// Lumbra: starts the first program of a remembered folder, or asks for another folder.
#include <windows.h>
#include <objbase.h>
#include "lumbra1.h"
#include "ui/application.h"
#include <cstdlib>

// An exception that escapes every handler ends the process at once. The C++ library's own
// handler would describe it on a console that this program does not have, and brings a
// name demangler of 45 KB with it.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Later DLL loads come from the system folder only, never from beside the executable
    // (a disc or a downloads folder). The started programs don't inherit this.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);

    try {
        Application->Initialize();
        Application->SetTitle("Lumbra");
        Application->CreateForm(Form1);
        // COM, which the shell call asks for, set up once the window shows: it takes tens
        // of milliseconds that the window need not wait for, and the first attempt is two
        // seconds away.
        Application->OnStarted = [] { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE); };
    } catch (const std::exception& e) {
        MessageBoxA(nullptr, e.what(), "Application Error", MB_OK | MB_ICONSTOP);
        return 1;
    }
    Application->Run();
    return 0;
}
