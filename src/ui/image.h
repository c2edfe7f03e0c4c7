// A picture: a bitmap the form paints, with mouse events.
#pragma once
#include "control.h"

namespace ui {

class TImage : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    ~TImage() override;

    // Loads the bitmap resource; with autoSize the control takes the picture's size.
    void LoadPicture(const char* resourceName, bool autoSize);
    void Paint(HDC dc, const RECT& area) const override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;

private:
    HBITMAP picture_ = nullptr;
    int pictureWidth_ = 0, pictureHeight_ = 0;
};

} // namespace ui
