// Run once when the test environment is set up: brings up Wine's background processes
// (the services and the desktop) with their output going nowhere, so that they don't
// inherit the output of the first test and keep the test runner waiting for its end.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    HWND desktop = GetDesktopWindow();
    HWND window = CreateWindowExA(0, "STATIC", "warm-up", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (window)
        DestroyWindow(window);
    return desktop ? 0 : 1;
}
