#include "form.h"
#include <windowsx.h>
#include <algorithm>
#include <set>
#include "application.h"
#include "edit.h"
#include "timer.h"

namespace ui {

namespace {

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    int ppi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

void RegisterFormClass(const char* className, const char* icon, WNDPROC proc)
{
    static std::set<std::string> registered;
    if (!registered.insert(className).second)
        return;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = icon ? LoadIconA(instance, icon) : nullptr;
    wc.hIconSm = icon ? static_cast<HICON>(LoadImageA(instance, icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0))
                      : nullptr;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassExA(&wc);
}

TMouseButton ButtonOf(UINT message)
{
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return TMouseButton::mbRight;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
    }
}

TShiftState MouseShiftState(WPARAM keys, bool doubleClick)
{
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (doubleClick) shift |= ssDouble;
    return shift;
}

} // namespace

TForm::~TForm()
{
    components_.clear(); // child windows and timers go before the window that owns them
    if (handle_) {
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
    if (brush_)
        DeleteObject(brush_);
}

void TForm::CreateWindowFrom(const TFormSettings& s)
{
    ppi_ = ScreenPixelsPerInch();
    width_ = s.clientWidth;
    height_ = s.clientHeight;
    color_ = s.color;
    brush_ = CreateSolidBrush(color_);
    font_ = s.font;
    position_ = s.position;

    RegisterFormClass(s.className, s.icon, StaticWndProc);
    // The window finds this object in WM_NCCREATE, from the creation parameter.
    if (!CreateWindowExA(0, s.className, s.caption, WS_POPUP | WS_CLIPCHILDREN, s.left, s.top, Scaled(width_),
                         Scaled(height_), Application->Handle(), nullptr, GetModuleHandleA(nullptr), this))
        throw EOutOfResources("Error creating window");
}

RECT TForm::ScaledRect(const TControl& c) const
{
    return RECT{Scaled(c.Left()), Scaled(c.Top()), Scaled(c.Left() + c.Width()), Scaled(c.Top() + c.Height())};
}

void TForm::InvalidateArea(const RECT& area) const
{
    if (handle_)
        InvalidateRect(handle_, &area, TRUE);
}

namespace {
const UINT WM_MAKECHILDREN = WM_APP + 2; // posted by Show
} // namespace

void TForm::MakeChildWindows()
{
    for (TWinControl* control : windows_)
        control->Handle();
    if (GetActiveWindow() == handle_ && GetFocus() == handle_)
        FocusOnActivate(); // the activation found no window to give the focus to
}

void TForm::SetWidth(int width)
{
    width_ = width;
    SetWindowPos(handle_, nullptr, 0, 0, Scaled(width_), Scaled(height_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::SetHeight(int height)
{
    height_ = height;
    SetWindowPos(handle_, nullptr, 0, 0, Scaled(width_), Scaled(height_), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Show(TWindowState state)
{
    if (state == TWindowState::wsMaximized) {
        ShowWindow(handle_, SW_SHOWMAXIMIZED);
    } else {
        if (!shownOnce_ && position_ == TPosition::poScreenCenter) {
            // Centred once, on the primary screen, at the size the form has now.
            int left = std::max(0, (GetSystemMetrics(SM_CXSCREEN) - Scaled(width_)) / 2);
            int top = std::max(0, (GetSystemMetrics(SM_CYSCREEN) - Scaled(height_)) / 2);
            SetWindowPos(handle_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        ShowWindow(handle_, SW_SHOWNORMAL);
    }
    shownOnce_ = true;
    SetForegroundWindow(handle_);
    // The child windows are made once the form is up: making the first of them loads the
    // common controls, which the form need not wait for.
    PostMessageA(handle_, WM_MAKECHILDREN, 0, 0);
}

void TForm::Close()
{
    ShowWindow(handle_, SW_HIDE);
    if (Application->MainForm() == this)
        Application->Terminate();
}

TGraphicControl* TForm::GraphicAt(int x, int y) const
{
    for (auto it = graphics_.rbegin(); it != graphics_.rend(); ++it)
        if ((*it)->Visible() && (*it)->Contains(x, y))
            return *it;
    return nullptr;
}

TWinControl* TForm::ControlOf(HWND child) const
{
    for (TWinControl* control : windows_)
        if (control->HandleAllocated() && control->Handle() == child)
            return control;
    return nullptr;
}

void TForm::FocusOnActivate()
{
    TWinControl* target = activeControl_ && activeControl_->CanFocus() ? activeControl_ : nullptr;
    if (!target) {
        std::vector<TWinControl*> inTabOrder(windows_);
        std::stable_sort(inTabOrder.begin(), inTabOrder.end(),
                         [](TWinControl* a, TWinControl* b) { return a->TabOrder < b->TabOrder; });
        for (TWinControl* control : inTabOrder)
            if (control->CanFocus()) {
                target = control;
                break;
            }
    }
    activeControl_ = target;
    ::SetFocus(target ? target->Handle() : handle_);
}

void TForm::Paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(handle_, &ps);
    for (TGraphicControl* control : graphics_) {
        RECT area = ScaledRect(*control);
        RECT overlap;
        if (control->Visible() && IntersectRect(&overlap, &area, &ps.rcPaint))
            control->Paint(dc, area);
    }
    EndPaint(handle_, &ps);
}

void TForm::Mouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    int x = MulDiv(GET_X_LPARAM(lParam), 96, ppi_);
    int y = MulDiv(GET_Y_LPARAM(lParam), 96, ppi_);
    TMouseButton button = ButtonOf(message);
    bool doubleClick = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
    bool down = doubleClick || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
    TShiftState shift = MouseShiftState(wParam, doubleClick);

    if (down) {
        TGraphicControl* target = GraphicAt(x, y);
        if (button == TMouseButton::mbLeft) {
            // A left press holds the mouse for the control under it until the release.
            mouseCapture_ = target;
            capturing_ = true;
            SetCapture(handle_);
        }
        if (target)
            target->MouseDown(button, shift, x - target->Left(), y - target->Top());
        return;
    }
    TGraphicControl* target = GraphicAt(x, y);
    if (button == TMouseButton::mbLeft && capturing_) {
        target = mouseCapture_;
        capturing_ = false;
        mouseCapture_ = nullptr;
        ReleaseCapture();
    }
    if (target)
        target->MouseUp(button, shift, x - target->Left(), y - target->Top());
}

LRESULT TForm::ControlColor(UINT message, HDC dc, HWND child)
{
    if (auto* edit = dynamic_cast<TEdit*>(ControlOf(child))) {
        SetTextColor(dc, edit->Font.color);
        SetBkColor(dc, edit->Color());
        return reinterpret_cast<LRESULT>(edit->Brush());
    }
    return DefWindowProcA(handle_, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
}

LRESULT CALLBACK TForm::StaticWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        created->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!Application->Guarded([&] { result = self->WndProc(message, wParam, lParam); }))
        return 0;
    return result;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush_);
        return 1;
    }
    case WM_PAINT:
        Paint();
        return 0;
    case WM_MAKECHILDREN:
        MakeChildWindows();
        return 0;
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
        Mouse(message, wParam, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        capturing_ = false;
        mouseCapture_ = nullptr;
        return 0;
    case WM_TIMER:
        for (TTimer* timer : timers_)
            if (timer->Id() == wParam)
                timer->Tick();
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return ControlColor(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            // Remember which control had the focus, to give it back on the next activation.
            if (TWinControl* focused = ControlOf(GetFocus()))
                activeControl_ = focused;
        } else if (!HIWORD(wParam)) {
            FocusOnActivate();
        }
        return 0;
    case WM_GETMINMAXINFO: {
        // Maximised, the borderless form covers its whole monitor.
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoA(MonitorFromWindow(handle_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMaxPosition = {0, 0};
            info->ptMaxSize = {monitor.rcMonitor.right - monitor.rcMonitor.left,
                               monitor.rcMonitor.bottom - monitor.rcMonitor.top};
        }
        return 0;
    }
    case WM_DPICHANGED: {
        // Moved to a monitor of another scale: the whole window scales with it, at the
        // place the system suggests.
        ppi_ = HIWORD(wParam);
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(handle_, nullptr, suggested->left, suggested->top, Scaled(width_), Scaled(height_),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        for (auto& component : components_)
            if (auto* control = dynamic_cast<TControl*>(component.get()))
                control->ScaleChanged();
        InvalidateRect(handle_, nullptr, TRUE);
        return 0;
    }
    case WM_CLOSE:
        Close();
        return 0;
    }
    return DefWindowProcA(handle_, message, wParam, lParam);
}

} // namespace ui
