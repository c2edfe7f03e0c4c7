// A top-level window of ours that owns, paints and dispatches to its controls.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>
#include "control.h"

namespace ui {

class TTimer;

enum class TPosition { poDesigned, poScreenCenter };
enum class TWindowState { wsNormal, wsMaximized };

// The form's own stored settings.
struct TFormSettings {
    const char* className;   // registered as the window class name
    int left, top;
    int clientWidth, clientHeight;
    const char* caption;
    COLORREF color;
    TFont font;
    const char* icon;        // icon resource name
    TPosition position;
};

class TForm : public TObject {
public:
    TForm() = default;
    ~TForm() override;
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width);
    void SetHeight(int height);
    COLORREF Color() const { return color_; }
    const TFont& Font() const { return font_; }

    // Device pixels for a length in layout pixels (96 per inch).
    int Scaled(int length) const { return MulDiv(length, ppi_, 96); }
    RECT ScaledRect(const TControl& c) const;
    int PixelsPerInch() const { return ppi_; }

    // Shows the form for the first time: centred (poScreenCenter) or maximised.
    void Show(TWindowState state);
    bool Showing() const { return IsWindowVisible(handle_) != FALSE; }
    void Close();

    // The control that has or gets the keyboard focus.
    void SetActiveControl(TWinControl* control) { activeControl_ = control; }
    TWinControl* ActiveControl() const { return activeControl_; }

    template <class T> T& Add(const char* name)
    {
        auto owned = std::make_unique<T>(*this, name);
        T& control = *owned;
        if constexpr (std::is_base_of_v<TGraphicControl, T>)
            graphics_.push_back(&control);
        if constexpr (std::is_base_of_v<TWinControl, T>)
            windows_.push_back(&control);
        if constexpr (std::is_same_v<TTimer, T>)
            timers_.push_back(&control);
        components_.push_back(std::move(owned));
        return control;
    }

    // Creates the window from its stored settings, hidden, owned by the application window.
    void CreateWindowFrom(const TFormSettings& settings);
    void InvalidateArea(const RECT& area) const;

private:
    // Makes the child windows that are not made yet; those that are visible show.
    void MakeChildWindows();
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Mouse(UINT message, WPARAM wParam, LPARAM lParam);
    TGraphicControl* GraphicAt(int x, int y) const;
    TWinControl* ControlOf(HWND child) const;
    void FocusOnActivate();
    LRESULT ControlColor(UINT message, HDC dc, HWND child);

    HWND handle_ = nullptr;
    int ppi_ = 96;
    int width_ = 0, height_ = 0;
    COLORREF color_ = RGB(0, 0, 0);
    HBRUSH brush_ = nullptr;
    TFont font_;
    TPosition position_ = TPosition::poDesigned;
    bool shownOnce_ = false;
    TWinControl* activeControl_ = nullptr;
    TGraphicControl* mouseCapture_ = nullptr;
    bool capturing_ = false;

    std::vector<std::unique_ptr<TComponent>> components_;
    std::vector<TGraphicControl*> graphics_; // in creation order: later ones paint over earlier
    std::vector<TWinControl*> windows_;
    std::vector<TTimer*> timers_;
};

} // namespace ui
