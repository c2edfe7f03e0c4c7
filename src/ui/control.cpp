#include "control.h"
#include <commctrl.h>
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
        if (subclassed_)
            RemoveWindowSubclass(handle_, SubclassProc, 0);
        DestroyWindow(handle_);
    }
    if (font_)
        DeleteObject(font_);
}

void TWinControl::CreateHandle(const char* windowClass, DWORD style, DWORD exStyle, bool subclass)
{
    RECT r = Owner.ScaledRect(*this);
    // Created hidden: the form shows its visible child windows once its layout is loaded.
    handle_ = CreateWindowExA(exStyle, windowClass, "", WS_CHILD | WS_CLIPSIBLINGS | style,
                              r.left, r.top, r.right - r.left, r.bottom - r.top, Owner.Handle(), nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!handle_)
        throw EOutOfResources("Error creating window");
    if (subclass)
        subclassed_ = SetWindowSubclass(handle_, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    ApplyFont();
}

void TWinControl::ApplyFont()
{
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
        ::SetFocus(handle_);
}

LRESULT TWinControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWinControl::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self)
{
    LRESULT result = 0;
    Application->Guarded([&] { result = reinterpret_cast<TWinControl*>(self)->WindowProc(message, wParam, lParam); });
    return result;
}

} // namespace ui
