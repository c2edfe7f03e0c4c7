// The base classes of the controls a form owns, and the event types of their handlers.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include "exception.h"
#include "font.h"

namespace ui {

class TForm;

class TObject {
public:
    virtual ~TObject() = default;
};

enum TShift : unsigned {
    ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64
};
using TShiftState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

using TNotifyEvent = std::function<void(TObject* sender)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;

// The shift keys held now, for key events.
TShiftState KeyboardShiftState();

// Something a form owns, known by its name.
class TComponent : public TObject {
public:
    TComponent(TForm& owner, std::string name) : Owner(owner), Name(std::move(name)) {}
    TForm& Owner;
    const std::string Name;
};

// A control with a place on the form. Positions are in layout pixels (96 per inch);
// the form turns them into device pixels.
class TControl : public TComponent {
public:
    using TComponent::TComponent;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    bool Contains(int x, int y) const { return x >= left_ && x < left_ + width_ && y >= top_ && y < top_ + height_; }

    // The form's pixels per inch changed: fonts and device positions are made anew.
    virtual void ScaleChanged() {}

    TFont Font; // the form's font unless the layout gives the control its own

protected:
    void Invalidate() const;

    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
};

// A control without a window of its own: the form paints it and hands it the mouse.
class TGraphicControl : public TControl {
public:
    using TControl::TControl;
    virtual void Paint(HDC dc, const RECT& area) const = 0;
    virtual void MouseDown(TMouseButton, TShiftState, int, int) {}
    virtual void MouseUp(TMouseButton, TShiftState, int, int) {}
};

// A control that is a child window of the form.
class TWinControl : public TControl {
public:
    using TControl::TControl;
    ~TWinControl() override;

    // The child window. It is made at the first need of it: the form makes its windows
    // once it has been shown, so that it shows without waiting for them.
    HWND Handle() const;
    bool HandleAllocated() const { return handle_ != nullptr; }
    int TabOrder = 0;

    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;

    // Gives the control the keyboard focus; while the form is not shown it is only
    // marked as the control that gets the focus once the form is shown.
    void SetFocus();
    bool Focused() const { return handle_ && GetFocus() == handle_; }
    bool CanFocus() const;

    void ApplyFont();
    void ScaleChanged() override;

protected:
    // Says how the child window of a system class is made, when Handle() first needs it.
    // With subclass, its messages pass through WindowProc first; only controls that need
    // to see them ask for it, since every message then costs more (a list of 100,000
    // files takes 100,000 of them to fill).
    void CreateHandle(const char* windowClass, DWORD style, DWORD exStyle, bool subclass);
    // The window has just been made: the control gives it what it holds.
    virtual void HandleCreated() {}
    // The control's own handling of its messages; the default passes them on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM);
    void MakeWindow();
    const char* windowClass_ = nullptr;
    DWORD style_ = 0, exStyle_ = 0;
    bool subclass_ = false;
    HWND handle_ = nullptr;
    HFONT font_ = nullptr;
    WNDPROC classProc_ = nullptr; // the class's procedure, when the window is subclassed
};

} // namespace ui
