#include "timer.h"
#include "form.h"

namespace ui {

TTimer::~TTimer()
{
    if (running_ && Owner.Handle())
        KillTimer(Owner.Handle(), Id());
}

void TTimer::SetInterval(UINT interval)
{
    if (interval != interval_) {
        interval_ = interval;
        if (running_) {
            KillTimer(Owner.Handle(), Id());
            running_ = false;
        }
        Update();
    }
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void TTimer::Load(UINT interval, bool enabled)
{
    interval_ = interval;
    enabled_ = enabled;
    Update();
}

void TTimer::Update()
{
    bool wanted = enabled_ && interval_ != 0 && OnTimer;
    if (wanted == running_)
        return;
    if (!wanted) {
        KillTimer(Owner.Handle(), Id());
        running_ = false;
        return;
    }
    if (!SetTimer(Owner.Handle(), Id(), interval_, nullptr))
        throw EOutOfResources("Not enough timers available");
    running_ = true;
}

void TTimer::Tick()
{
    if (running_ && OnTimer)
        OnTimer(this);
}

} // namespace ui
