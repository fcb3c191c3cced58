#include <string>

#include "platform/error.hpp"
#include "platform/headless/headless.hpp"

namespace cbo::headless {

HeadlessTimer::HeadlessTimer(HeadlessPlatform& p) : platform_(p) { platform_.AddTimer(this); }

HeadlessTimer::~HeadlessTimer() { platform_.RemoveTimer(this); }

void HeadlessTimer::Schedule() {
  due_ = platform_.Now() + interval_;
  order_ = platform_.NextTimerOrder();
}

void HeadlessTimer::SetEnabled(bool v) {
  if (v == enabled_) return;  // enabling again keeps the schedule
  enabled_ = v;
  if (enabled_) Schedule();
}

void HeadlessTimer::SetInterval(int32_t ms) {
  if (ms < 0) throw Error(ErrorKind::Widget, "Interval: invalid property value " + std::to_string(ms));
  if (ms == interval_) return;
  interval_ = ms;
  if (enabled_) Schedule();
}

// --- The virtual clock ---

void HeadlessPlatform::AddTimer(HeadlessTimer* t) { timers_.push_back(t); }

void HeadlessPlatform::RemoveTimer(HeadlessTimer* t) { std::erase(timers_, t); }

HeadlessTimer* HeadlessPlatform::NextDue(int64_t until) const {
  HeadlessTimer* next = nullptr;
  for (HeadlessTimer* t : timers_) {
    if (!t->enabled_ || t->interval_ <= 0 || t->due_ > until) continue;
    if (!next || t->due_ < next->due_ || (t->due_ == next->due_ && t->order_ < next->order_)) next = t;
  }
  return next;
}

void HeadlessPlatform::Advance(int64_t ms) {
  if (ms <= 0) return;  // the clock never runs backwards
  const int64_t until = now_ + ms;
  // Each round looks for the earliest due timer afresh: a tick may enable,
  // disable, create or destroy timers, itself included.
  while (HeadlessTimer* t = NextDue(until)) {
    if (t->due_ > now_) now_ = t->due_;  // a tick that advanced the clock itself is not undone
    t->due_ += t->interval_;
    t->order_ = NextTimerOrder();
    auto tick = t->tick_;  // the tick may destroy its timer
    if (tick) tick();
  }
  if (until > now_) now_ = until;
}

}  // namespace cbo::headless
