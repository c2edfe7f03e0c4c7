#include "edit.h"

namespace ui {

TEdit::~TEdit()
{
    if (brush_)
        DeleteObject(brush_);
}

void TEdit::Create(bool borderless, COLORREF color)
{
    color_ = color;
    brush_ = CreateSolidBrush(color);
    // Subclassed: a single-line edit box tells its parent nothing of the keys it gets.
    CreateHandle("EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, borderless ? 0 : WS_EX_CLIENTEDGE, true);
}

void TEdit::HandleCreated()
{
    SendMessageA(Handle(), EM_SETLIMITTEXT, 0, 0); // no limit on what is typed
    SetWindowTextA(Handle(), text_.c_str());
}

std::string TEdit::Text() const
{
    if (!HandleAllocated())
        return text_;
    int length = GetWindowTextLengthA(Handle());
    std::string text(length + 1, '\0');
    length = GetWindowTextA(Handle(), text.data(), length + 1);
    text.resize(length);
    return text;
}

void TEdit::SetText(const char* text)
{
    if (HandleAllocated())
        SetWindowTextA(Handle(), text);
    else
        text_ = text;
}

void TEdit::SelectAll()
{
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

LRESULT TEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && OnKeyDown) {
        WORD key = static_cast<WORD>(wParam);
        OnKeyDown(this, key, KeyboardShiftState());
        if (key == 0)
            return 0; // the handler took the key
        wParam = key;
    }
    return TWinControl::WindowProc(message, wParam, lParam);
}

} // namespace ui
