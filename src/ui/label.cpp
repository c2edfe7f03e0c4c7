#include "label.h"
#include "form.h"

namespace ui {

TLabel::~TLabel()
{
    if (font_)
        DeleteObject(font_);
}

void TLabel::SetCaption(const char* caption)
{
    caption_ = caption;
    Invalidate();
}

void TLabel::ScaleChanged()
{
    if (font_)
        DeleteObject(font_);
    font_ = nullptr; // made again at the next paint
}

void TLabel::Paint(HDC dc, const RECT& area) const
{
    if (!font_)
        font_ = CreateFontFor(Font, Owner.PixelsPerInch());
    HBRUSH background = CreateSolidBrush(Owner.Color());
    FillRect(dc, &area, background);
    DeleteObject(background);

    HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Font.color);
    RECT text = area;
    UINT format = DT_LEFT | DT_SINGLELINE | DT_EXPANDTABS | (ShowAccelChar ? 0 : DT_NOPREFIX);
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text, format);
    SelectObject(dc, old);
}

} // namespace ui
