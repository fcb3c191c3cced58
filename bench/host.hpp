#pragma once
// A control on the headless platform, as a host builds it: four columns from
// the generated rows, the display column as the text column, and a user who
// types into its text box, opens its drop-down and works inside it.
#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "bench/data.hpp"
#include "control/cbo_varno.hpp"
#include "platform/headless/headless.hpp"
#include "grid/process_state.hpp"

namespace bench {

class HeadlessHost {
public:
  explicit HeadlessHost(uint8_t style);
  ~HeadlessHost();
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  // ListItem for every column then AddItem, for the first n generated rows.
  void Fill(const Rows& rows, size_t n);
  cbo::CboVarno& Control() { return *control_; }
  cbo::headless::HeadlessPlatform& Platform() { return platform_; }
  cbo::headless::HeadlessTextBox& Box();

  // Empties the text box as a user does: select all, Delete.
  void ClearBox();
  // Types every character but the last (untimed), then the last; returns the
  // microseconds from the last key press to the end of its handlers.
  double TimeLastKey(const std::string& text);
  // Types every character, each timed; returns the slowest in microseconds.
  double TimeEachKey(const std::string& text);
  // The idle time a user leaves between keystrokes: the table's search
  // indexes are made to the end, as the list does in idle moments.
  void Idle();

  // Opens the drop-down with a click on its button; `inside` runs in the
  // modal loop, then Escape closes the window.
  void WithGridOpen(const std::function<void()>& inside);
  cbo::headless::HeadlessDataGrid& Grid();
  cbo::headless::HeadlessLabel& Header(int column);

private:
  cbo::headless::HeadlessPlatform platform_;
  cbo::ProcessState shared_{platform_};
  cbo::headless::HeadlessContainer container_{platform_};
  std::unique_ptr<cbo::CboVarno> control_;
  std::deque<std::function<void()>> inside_;
  long changes_ = 0;  // Change events the host received
};

}  // namespace bench
