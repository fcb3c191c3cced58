#pragma once
// Raises a flag for as long as an operation runs, and gives it back the value
// it had before when the operation ends, however it ends: a failing step never
// leaves a flag standing that suspends something for good.
namespace cbo {

class ScopedFlag {
public:
  explicit ScopedFlag(bool& flag) : flag_(flag), before_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = before_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
  bool& flag_;
  bool before_;
};

}  // namespace cbo
