// A form holding only a file list, laid out as the launcher's: for running the list
// directly in unit tests.
#pragma once
#include "ui/layout.h"

namespace lt {

class ListForm : public ui::TForm {
public:
    ui::TFileListBox* fl = nullptr;
    ListForm()
    {
        static const ui::TControlSpec<ListForm> controls[] = {
            {"fl", &ListForm::fl, {8, 144, 145, 169}, {.mask = "*.exe", .itemHeight = 13}, {}}};
        static const ui::TFormLayout<ListForm> layout{
            .form = {.className = "TListForm", .left = 0, .top = 0, .clientWidth = 453, .clientHeight = 319,
                     .caption = "", .color = ui::clBlack, .font = {}, .icon = nullptr,
                     .position = ui::TPosition::poDesigned},
            .controls = controls};
        ui::LoadLayout(*this, layout);
    }
};

} // namespace lt
