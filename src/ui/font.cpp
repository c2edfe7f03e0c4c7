#include "font.h"

namespace ui {

HFONT CreateFontFor(const TFont& f, int ppi)
{
    return CreateFontA(MulDiv(f.height, ppi, 96), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, f.charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.name);
}

} // namespace ui
