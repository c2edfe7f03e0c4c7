#include "image.h"
#include "form.h"

namespace ui {

TImage::~TImage()
{
    if (picture_)
        DeleteObject(picture_);
}

void TImage::LoadPicture(const char* resourceName, bool autoSize)
{
    picture_ = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), resourceName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!picture_)
        return; // an empty picture paints nothing
    BITMAP info{};
    GetObjectA(picture_, sizeof info, &info);
    pictureWidth_ = info.bmWidth;
    pictureHeight_ = info.bmHeight;
    if (autoSize)
        SetBounds(left_, top_, pictureWidth_, pictureHeight_);
}

void TImage::Paint(HDC dc, const RECT& area) const
{
    if (!picture_)
        return;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture_);
    // Nearest neighbour, so the pixel art stays crisp when the display scales it.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source, 0, 0,
               pictureWidth_, pictureHeight_, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
}

void TImage::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TImage::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

} // namespace ui
