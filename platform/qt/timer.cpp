// The timer on a QTimer: it ticks every Interval milliseconds while enabled;
// enabling it again does not move its schedule.
#include <string>

#include "platform/error.hpp"
#include "platform/qt/widgets.hpp"

namespace cbo::qt {

Timer::Timer(QtPlatform& platform) {
  setSingleShot(false);
  connect(this, &QTimer::timeout, this, [this, &platform] {
    auto t = tick;  // the tick may dispose of its timer
    if (t) platform.Deliver(this, "Timer.Tick", t);
  });
}

QtTimer::QtTimer(QtPlatform& platform) : platform_(platform), timer_(new Timer(platform)) {}

QtTimer::~QtTimer() { platform_.Dispose(timer_.data()); }

void QtTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  if (enabled_)
    Schedule();
  else if (timer_)
    timer_->stop();
}

void QtTimer::SetInterval(int32_t ms) {
  if (ms < 0) throw Error(ErrorKind::Widget, "Interval: invalid property value " + std::to_string(ms));
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) Schedule();
}

void QtTimer::SetTick(std::function<void()> tick) {
  if (timer_) timer_->tick = std::move(tick);
}

void QtTimer::Schedule() {
  if (!timer_) return;
  if (interval_ > 0)
    timer_->start(interval_);
  else
    timer_->stop();  // an interval of 0 never ticks
}

}  // namespace cbo::qt
