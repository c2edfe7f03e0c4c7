// A form's stored layout as data: its own settings and its controls in creation order,
// loaded once when the form is created.
#pragma once
#include <span>
#include <variant>
#include "edit.h"
#include "filelistbox.h"
#include "form.h"
#include "image.h"
#include "label.h"
#include "timer.h"

namespace ui {

struct TBounds {
    int left = 0, top = 0, width = 0, height = 0;
};

// The stored settings of one control; each kind reads the ones that concern it.
struct TControlSettings {
    bool autoSize = false;             // TImage: take the picture's size
    const char* picture = nullptr;     // TImage: bitmap resource name
    bool showAccelChar = true;         // TLabel
    const TFont* font = nullptr;       // its own font instead of the form's (ParentFont False)
    COLORREF color = RGB(255, 255, 255); // TEdit
    bool borderless = false;           // TEdit
    const char* text = "";             // TEdit
    const char* mask = "*.*";          // TFileListBox
    int itemHeight = 13;               // TFileListBox
    int tabOrder = 0;                  // windowed controls
    UINT interval = 1000;              // TTimer
    bool enabled = true;               // TTimer
};

template <class F> struct THandlers {
    void (F::*onMouseDown)(TObject*, TMouseButton, TShiftState, int, int) = nullptr;
    void (F::*onMouseUp)(TObject*, TMouseButton, TShiftState, int, int) = nullptr;
    void (F::*onKeyDown)(TObject*, WORD&, TShiftState) = nullptr;
    void (F::*onTimer)(TObject*) = nullptr;
};

// One control: its name, the form's field that refers to it (its type gives the control's
// class), its place, its settings and the form's handlers for its events.
template <class F> struct TControlSpec {
    const char* name;
    std::variant<TImage* F::*, TLabel* F::*, TFileListBox* F::*, TEdit* F::*, TTimer* F::*> field;
    TBounds bounds;
    TControlSettings settings;
    THandlers<F> on;
};

template <class F> struct TFormLayout {
    TFormSettings form;
    std::span<const TControlSpec<F>> controls;
    void (F::*onCreate)(TObject*) = nullptr;
};

namespace detail {

template <class F> auto Bind(F& form, void (F::*handler)(TObject*, TMouseButton, TShiftState, int, int)) -> TMouseEvent
{
    if (!handler)
        return {};
    return [&form, handler](TObject* s, TMouseButton b, TShiftState sh, int x, int y) { (form.*handler)(s, b, sh, x, y); };
}

template <class F> auto Bind(F& form, void (F::*handler)(TObject*, WORD&, TShiftState)) -> TKeyEvent
{
    if (!handler)
        return {};
    return [&form, handler](TObject* s, WORD& key, TShiftState sh) { (form.*handler)(s, key, sh); };
}

template <class F> auto Bind(F& form, void (F::*handler)(TObject*)) -> TNotifyEvent
{
    if (!handler)
        return {};
    return [&form, handler](TObject* s) { (form.*handler)(s); };
}

template <class F, class T> void Load(F& form, T& c, const TControlSpec<F>& spec)
{
    const TControlSettings& s = spec.settings;
    if constexpr (std::is_base_of_v<TControl, T>) {
        c.Font = s.font ? *s.font : form.Font();
        c.SetBounds(spec.bounds.left, spec.bounds.top, spec.bounds.width, spec.bounds.height);
    }
    if constexpr (std::is_base_of_v<TWinControl, T>)
        c.TabOrder = s.tabOrder;
    if constexpr (std::is_same_v<T, TImage>) {
        c.LoadPicture(s.picture, s.autoSize);
        c.OnMouseDown = Bind(form, spec.on.onMouseDown);
        c.OnMouseUp = Bind(form, spec.on.onMouseUp);
    } else if constexpr (std::is_same_v<T, TLabel>) {
        c.ShowAccelChar = s.showAccelChar;
    } else if constexpr (std::is_same_v<T, TFileListBox>) {
        c.Create(s.itemHeight, s.mask);
    } else if constexpr (std::is_same_v<T, TEdit>) {
        c.Create(s.borderless, s.color);
        c.SetText(s.text);
        c.OnKeyDown = Bind(form, spec.on.onKeyDown);
    } else if constexpr (std::is_same_v<T, TTimer>) {
        c.OnTimer = Bind(form, spec.on.onTimer);
        c.Load(s.interval, s.enabled);
    }
}

} // namespace detail

// Creates the form's window and its controls in order, sets the form's fields to them,
// then runs the creation handler.
template <class F> void LoadLayout(F& form, const TFormLayout<F>& layout)
{
    form.CreateWindowFrom(layout.form);
    for (const TControlSpec<F>& spec : layout.controls) {
        std::visit(
            [&](auto field) {
                using T = std::remove_pointer_t<std::remove_reference_t<decltype(form.*field)>>;
                T& control = form.template Add<T>(spec.name);
                detail::Load(form, control, spec);
                form.*field = &control;
            },
            spec.field);
    }
    if (layout.onCreate)
        (form.*layout.onCreate)(&form);
}

} // namespace ui
