#include "application.h"
#include <cstdlib>

namespace ui {

namespace {
TApplication applicationObject;

const UINT WM_STARTED = WM_APP + 1; // posted by Run once the window is up

int StartupShowCommand()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
}

BOOL CALLBACK DisableWindow(HWND window, LPARAM list)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}
} // namespace

TApplication* Application = &applicationObject;

std::string WithFullStop(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

void TApplication::Initialize()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "TApplication";
    RegisterClassExA(&wc);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    handle_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                              WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                              nullptr, nullptr, instance, nullptr);
    if (!handle_)
        throw EOutOfResources("Error creating window");
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    if (handle_)
        SetWindowTextA(handle_, title.c_str());
}

void TApplication::ShowMainForm(int showCommand)
{
    ShowWindow(handle_, SW_SHOWNOACTIVATE); // the taskbar button
    mainForm_->Show(showCommand == SW_SHOWMAXIMIZED ? TWindowState::wsMaximized : TWindowState::wsNormal);
}

void TApplication::Run()
{
    if (!mainForm_)
        return;
    int showCommand = StartupShowCommand();
    if (showCommand == SW_SHOWMINNOACTIVE) {
        // Only the taskbar button, minimised; the form shows when the user restores it.
        ShowWindow(handle_, SW_SHOWMINNOACTIVE);
        showOnRestore_ = true;
    } else {
        ShowMainForm(showCommand);
    }
    PostMessageA(handle_, WM_STARTED, 0, 0);
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TApplication::Terminate()
{
    terminated_ = true;
    PostQuitMessage(0);
}

void TApplication::Halt(int code)
{
    for (auto& form : forms_)
        ShowWindow(form->Handle(), SW_HIDE);
    forms_.clear();
    mainForm_ = nullptr;
    // The application window is left to the process's end: destroying it would hand the
    // activation to another program's window (the one just started) and wait on it.
    std::exit(code);
}

void TApplication::ShowException(const std::string& message)
{
    // Modal for the whole program: its other windows are disabled while the box is open.
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    MessageBoxA(handle_, WithFullStop(message).c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
    for (HWND window : disabled)
        EnableWindow(window, TRUE);
    if (mainForm_ && mainForm_->Showing())
        SetActiveWindow(mainForm_->Handle());
}

void TApplication::HandleException(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        ShowException("Out of memory");
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException("Unknown error");
    }
}

LRESULT CALLBACK TApplication::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TApplication& app = *Application;
    switch (message) {
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_RESTORE && app.showOnRestore_ && app.mainForm_) {
            LRESULT result = DefWindowProcA(window, message, wParam, lParam);
            app.showOnRestore_ = false;
            app.Guarded([&] { app.ShowMainForm(SW_SHOWNORMAL); });
            return result;
        }
        break;
    case WM_CLOSE:
        if (app.mainForm_)
            app.mainForm_->Close();
        return 0;
    case WM_STARTED:
        if (app.OnStarted)
            app.Guarded(app.OnStarted);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            app.terminated_ = true; // the loop returns at its next turn
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace ui
