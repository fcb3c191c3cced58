#pragma once
// Which widget event an error escaped from, as the headless platform records
// it while it delivers events: the handler part of its name ("KeyPress",
// "Change", "MouseUp", "Timer", ...) and the widget's handle. Read through
// these adapters so that a platform without the record still builds (every
// failure is then named by the user action that caused it).
#include <cstdint>
#include <string>

namespace cbo::script {

template <class P>
std::string LastFailedEventOf(const P& p) {
  if constexpr (requires { p.LastFailedEvent(); })
    return std::string(p.LastFailedEvent());
  else
    return {};
}

template <class P>
int32_t LastFailedHandleOf(const P& p) {
  if constexpr (requires { p.LastFailedHandle(); })
    return static_cast<int32_t>(p.LastFailedHandle());
  else
    return 0;
}

template <class P>
void ClearFailedEventOf(P& p) {
  if constexpr (requires { p.ClearFailedEvent(); }) p.ClearFailedEvent();
}

}  // namespace cbo::script
