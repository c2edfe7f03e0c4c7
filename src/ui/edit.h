// An edit box: a single-line EDIT child window with its own colours and a key-down event.
#pragma once
#include "control.h"

namespace ui {

class TEdit : public TWinControl {
public:
    using TWinControl::TWinControl;
    ~TEdit() override;

    void Create(bool borderless, COLORREF color);

    std::string Text() const;
    // Takes the text as a zero-ended string: a NUL byte ends it.
    void SetText(const char* text);
    void SelectAll();

    COLORREF Color() const { return color_; }
    HBRUSH Brush() const { return brush_; }

    TKeyEvent OnKeyDown;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleCreated() override;

private:
    std::string text_; // the text until the window is made
    COLORREF color_ = RGB(255, 255, 255);
    HBRUSH brush_ = nullptr;
};

} // namespace ui
