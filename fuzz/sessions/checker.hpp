#pragma once
// The invariants of a session, read from the lines it plays and what each
// printed. The checker keeps a model of each control's rows: the row indices
// that must be in its table. An operation whose outcome the checker cannot
// tell in advance (an AddItem that printed an error may have added its row
// before failing) leaves several possible models until a count or a listing
// of the rows decides.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fuzz/sessions/session.hpp"

namespace cbo::sessions {

class Checker {
public:
  explicit Checker(const Switches& switches) : switches_(switches) {}

  // Reads what `line` printed, with `openAfter` modal windows open once it
  // ran; a failure when an invariant does not hold.
  std::optional<Failure> Observe(const std::string& line, const std::string& output, size_t openAfter);

  // One possible state of a control's rows.
  struct Rows {
    std::set<int32_t> indices;  // the _Index_Cmbo_Varno_ of every row
    int32_t maxIndex = 0;       // the index the last row added was given
  };
  struct Control {
    std::vector<Rows> possible{Rows{}};
    std::vector<std::string> fields;  // the table's fields as last listed, without the index field
  };
  const Control* Find(const std::string& name) const;
  // The value last printed for a path (`print PATH` or `call PATH`).
  const std::string* Printed(const std::string& path) const;
  // The value printed by the line observed last, when it was `print PATH`.
  const std::string* JustPrinted(const std::string& path) const;

private:
  std::optional<Failure> Count(const std::string& control, int32_t count);
  std::optional<Failure> Listing(const std::string& control, const std::string& output);
  std::optional<Failure> CompareBags(const std::string& saved, const std::string& again);
  void Apply(const std::string& control, bool failed, const std::string& member, const std::string& argument);

  Switches switches_;
  std::map<std::string, Control> controls_;
  std::map<std::string, std::string> printed_;
  std::map<std::string, std::vector<std::string>> bags_;  // entries as printed, without the bag's name
  std::map<std::string, std::string> savedBy_;            // bag → the control written into it
  std::map<std::string, std::string> origin_;             // control read from a bag → the control saved
  std::string lastPrintPath_;
  std::string justPrintedPath_;  // the path printed by the line observed last, if any
  std::string resized_;          // the control the line observed last resized
};

}  // namespace cbo::sessions
