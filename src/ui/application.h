// The application object: the hidden top-level window that carries the taskbar button and
// owns the forms, the message loop, the standard error report and halting.
#pragma once
#include <windows.h>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "form.h"

namespace ui {

class TApplication {
public:
    TApplication() = default;
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates the hidden application window.
    void Initialize();
    HWND Handle() const { return handle_; }

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Creates a form; the first one becomes the main form.
    template <class F> void CreateForm(F*& reference)
    {
        auto form = std::make_unique<F>();
        reference = form.get();
        if (!mainForm_)
            mainForm_ = reference;
        forms_.push_back(std::move(form));
    }
    TForm* MainForm() const { return mainForm_; }

    // Shows the main form by the show command the program was started with, then
    // dispatches messages until the application ends.
    void Run();
    // Runs once from the message loop, right after Run has shown the main form (or its
    // taskbar button): for start-up work that the window need not wait for.
    std::function<void()> OnStarted;
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Ends the process at once: the forms are hidden and destroyed with their controls,
    // static objects finalised, and the process exits with code.
    [[noreturn]] void Halt(int code);

    // The standard error report: a modal stop box captioned with the title.
    void ShowException(const std::string& message);
    void HandleException(std::exception_ptr error);

    // Runs f, reporting anything it throws; true when it returned normally.
    // Window procedures run every handler through this, so no error crosses into the system.
    template <class F> bool Guarded(F&& f) noexcept
    {
        try {
            f();
            return true;
        } catch (...) {
            HandleException(std::current_exception());
            return false;
        }
    }

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    void ShowMainForm(int showCommand);

    HWND handle_ = nullptr;
    std::string title_;
    std::vector<std::unique_ptr<TForm>> forms_;
    TForm* mainForm_ = nullptr;
    bool terminated_ = false;
    bool showOnRestore_ = false;
};

extern TApplication* Application;

// The error report's text: a full stop is added when the text is not empty and its last
// character's code is above that of the full stop.
std::string WithFullStop(const std::string& message);

} // namespace ui
