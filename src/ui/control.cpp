#include "control.h"
#include "application.h"
#include "form.h"

namespace ui {

TShiftState KeyboardShiftState()
{
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

void TControl::SetBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Invalidate();
}

void TControl::SetVisible(bool visible)
{
    if (visible != visible_) {
        visible_ = visible;
        Invalidate();
    }
}

void TControl::Invalidate() const
{
    Owner.InvalidateArea(Owner.ScaledRect(*this));
}

TWinControl::~TWinControl()
{
    if (handle_) {
        if (classProc_)
            SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc_));
        DestroyWindow(handle_);
    }
    if (font_)
        DeleteObject(font_);
}

void TWinControl::CreateHandle(const char* windowClass, DWORD style, DWORD exStyle, bool subclass)
{
    windowClass_ = windowClass;
    style_ = style;
    exStyle_ = exStyle;
    subclass_ = subclass;
}

HWND TWinControl::Handle() const
{
    if (!handle_ && windowClass_)
        const_cast<TWinControl*>(this)->MakeWindow();
    return handle_;
}

void TWinControl::MakeWindow()
{
    RECT r = Owner.ScaledRect(*this);
    handle_ = CreateWindowExA(exStyle_, windowClass_, "", WS_CHILD | WS_CLIPSIBLINGS | style_,
                              r.left, r.top, r.right - r.left, r.bottom - r.top, Owner.Handle(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw EOutOfResources("Error creating window");
    if (subclass_) {
        // The window's own procedure is put in front of the class's, which it calls on.
        SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        classProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::SubclassProc)));
    }
    ApplyFont();
    HandleCreated();
    if (visible_)
        ShowWindow(handle_, SW_SHOWNA);
}

void TWinControl::ApplyFont()
{
    if (!handle_)
        return; // the font is given when the window is made
    HFONT font = CreateFontFor(Font, Owner.PixelsPerInch());
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_)
        DeleteObject(font_);
    font_ = font;
}

void TWinControl::SetBounds(int left, int top, int width, int height)
{
    TControl::SetBounds(left, top, width, height);
    if (handle_) {
        RECT r = Owner.ScaledRect(*this);
        MoveWindow(handle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    }
}

void TWinControl::SetVisible(bool visible)
{
    if (!visible && Focused())
        ::SetFocus(Owner.Handle()); // the focus passes to the form itself
    if (!visible && Owner.ActiveControl() == this)
        Owner.SetActiveControl(nullptr);
    visible_ = visible;
    if (handle_)
        ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TWinControl::ScaleChanged()
{
    if (!handle_)
        return;
    RECT r = Owner.ScaledRect(*this);
    MoveWindow(handle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    ApplyFont();
}

bool TWinControl::CanFocus() const
{
    return handle_ && visible_ && IsWindowEnabled(handle_);
}

void TWinControl::SetFocus()
{
    Owner.SetActiveControl(this);
    if (Owner.Showing() && IsWindowEnabled(Owner.Handle()))
        ::SetFocus(Handle());
}

LRESULT TWinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(classProc_, handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    Application->Guarded([&] { result = self->WindowProc(message, wParam, lParam); });
    return result;
}

} // namespace ui
