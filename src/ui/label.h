// A label: an opaque line of text in the form's colour, cut off at its right edge.
#pragma once
#include "control.h"

namespace ui {

class TLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    ~TLabel() override;

    const std::string& Caption() const { return caption_; }
    // Takes the text as a zero-ended string: a NUL byte ends it.
    void SetCaption(const char* caption);
    // With accelerator marks on, "&" underlines the next character ("&&" shows one).
    bool ShowAccelChar = true;

    void Paint(HDC dc, const RECT& area) const override;
    void ScaleChanged() override;

private:
    std::string caption_;
    mutable HFONT font_ = nullptr;
};

} // namespace ui
