// A control's font as the layout gives it; made into a GDI font at the form's scale.
#pragma once
#include <windows.h>
#include <string>

namespace ui {

constexpr COLORREF clBlack = RGB(0, 0, 0);
constexpr COLORREF clSilver = RGB(192, 192, 192);
constexpr COLORREF clWindowText = RGB(0, 0, 0);

struct TFont {
    BYTE charset = DEFAULT_CHARSET;
    COLORREF color = clWindowText;
    int height = -11; // negative: character height in pixels at 96 pixels per inch
    const char* name = "MS Sans Serif";
};

// A GDI font for f at ppi pixels per inch; the caller owns it.
HFONT CreateFontFor(const TFont& f, int ppi);

} // namespace ui
