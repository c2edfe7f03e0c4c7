// A timer: a window timer of the owning form that calls OnTimer every Interval milliseconds.
#pragma once
#include "control.h"

namespace ui {

class TTimer : public TComponent {
public:
    using TComponent::TComponent;
    ~TTimer() override;

    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    bool Enabled() const { return enabled_; }
    // Enabling a stopped timer starts a fresh interval; stopping cancels the pending tick.
    void SetEnabled(bool enabled);

    TNotifyEvent OnTimer;

    // Takes the stored settings once OnTimer is set; an enabled timer starts counting here.
    void Load(UINT interval, bool enabled);

    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }
    void Tick();

private:
    void Update();
    UINT interval_ = 1000;
    bool enabled_ = true;
    bool running_ = false;
};

} // namespace ui
