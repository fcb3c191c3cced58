// Timers on the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless.hpp"

namespace cbo::headless {
namespace {

using Ticks = std::vector<std::string>;

class TimerTest : public ::testing::Test {
protected:
  std::unique_ptr<ITimer> Make(const std::string& name, int32_t interval, bool enabled = true) {
    auto t = platform.CreateTimer();
    t->SetInterval(interval);
    t->SetTick([this, name] { ticks.push_back(name + "@" + std::to_string(platform.Now())); });
    t->SetEnabled(enabled);
    return t;
  }
  HeadlessPlatform platform;
  Ticks ticks;
};

TEST_F(TimerTest, TicksInDueOrderWithTheClockAtTheDueTime) {
  auto a = Make("a", 300), b = Make("b", 200), c = Make("c", 300);
  platform.Advance(650);
  // At 600 all three are due: a and c in the order they were scheduled, b
  // scheduled again at 400, after both.
  EXPECT_EQ(ticks, (Ticks{"b@200", "a@300", "c@300", "b@400", "a@600", "c@600", "b@600"}));
  EXPECT_EQ(platform.Now(), 650);
}

TEST_F(TimerTest, EnablingAgainKeepsTheSchedule) {
  auto t = Make("t", 1000);
  platform.Advance(600);
  t->SetEnabled(true);
  platform.Advance(400);
  EXPECT_EQ(ticks, (Ticks{"t@1000"}));
  platform.Advance(500);
  t->SetEnabled(false);  // off and on again starts a fresh interval
  t->SetEnabled(true);
  platform.Advance(1000);
  EXPECT_EQ(ticks, (Ticks{"t@1000", "t@2500"}));
}

TEST_F(TimerTest, TickThatDisablesItselfRunsOnce) {
  auto t = Make("t", 100);
  t->SetTick([&] {
    ticks.push_back("t");
    t->SetEnabled(false);
  });
  platform.Advance(1000);
  EXPECT_EQ(ticks, (Ticks{"t"}));
}

TEST_F(TimerTest, TickMayDestroyAndCreateTimers) {
  auto a = Make("a", 100), b = Make("b", 100);
  std::unique_ptr<ITimer> c;
  a->SetTick([&] {
    ticks.push_back("a@" + std::to_string(platform.Now()));
    b.reset();  // b was due at the same time
    if (!c) c = Make("c", 50);
  });
  platform.Advance(200);
  EXPECT_EQ(ticks, (Ticks{"a@100", "c@150", "a@200", "c@200"}));
}

TEST_F(TimerTest, IntervalChangeReschedulesFromNowAndZeroNeverTicks) {
  auto t = Make("t", 1000);
  platform.Advance(700);
  t->SetInterval(500);
  platform.Advance(499);
  EXPECT_TRUE(ticks.empty());
  platform.Advance(1);
  EXPECT_EQ(ticks, (Ticks{"t@1200"}));
  t->SetInterval(0);
  platform.Advance(5000);
  EXPECT_EQ(ticks.size(), 1u);
  EXPECT_ANY_THROW(t->SetInterval(-1));
}

}  // namespace
}  // namespace cbo::headless
