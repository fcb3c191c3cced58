#include "fuzz/sessions/checker.hpp"

#include <charconv>

#include "apps/cbo-script/lexer.hpp"
#include "apps/cbo-script/script_error.hpp"
#include "platform/literal.hpp"

namespace cbo::sessions {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The value of the first "PATH = VALUE" line of the output.
std::optional<std::string> ValueOf(const std::string& output, const std::string& path) {
  const std::string prefix = path + " = ";
  for (const std::string& l : Lines(output))
    if (l.compare(0, prefix.size(), prefix) == 0) return l.substr(prefix.size());
  return std::nullopt;
}

bool HasErrorLine(const std::string& output) {
  for (const std::string& l : Lines(output))
    if (l.compare(0, 6, "error ") == 0) return true;
  return false;
}

std::optional<int32_t> Integer(const std::string& text) {
  int32_t v = 0;
  auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

std::string Describe(const std::set<int32_t>& indices) {
  std::string out = "{";
  for (int32_t i : indices) out += (out.size() > 1 ? " " : "") + std::to_string(i);
  return out + "}";
}

std::string Describe(const std::vector<Checker::Rows>& possible) {
  std::string out;
  for (const Checker::Rows& r : possible) out += (out.empty() ? "" : " or ") + Describe(r.indices);
  return out;
}

// The last part of a dotted path.
std::string LastPart(const std::string& path) {
  size_t dot = path.rfind('.');
  return dot == std::string::npos ? path : path.substr(dot + 1);
}

std::pair<std::string, std::string> SplitPath(const std::string& path) {
  size_t dot = path.find('.');
  if (dot == std::string::npos) return {path, ""};
  return {path.substr(0, dot), path.substr(dot + 1)};
}

}  // namespace

const Checker::Control* Checker::Find(const std::string& name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : &it->second;
}

const std::string* Checker::Printed(const std::string& path) const {
  auto it = printed_.find(path);
  return it == printed_.end() ? nullptr : &it->second;
}

const std::string* Checker::JustPrinted(const std::string& path) const {
  return path == justPrintedPath_ ? Printed(path) : nullptr;
}

void Checker::Apply(const std::string& name, bool failed, const std::string& member, const std::string& argument) {
  auto it = controls_.find(name);
  if (it == controls_.end() ||
      (member != "AddItem" && member != "RemoveItem" && member != "AddField" && member != "Combo_Clear"))
    return;
  std::vector<Rows>& possible = it->second.possible;
  std::vector<Rows> next;
  for (const Rows& r : possible) {
    if (member == "AddItem") {
      // A row that was added has the next index; an AddItem that failed may
      // have failed after its row was in.
      Rows added = r;
      added.indices.insert(++added.maxIndex);
      if (failed) next.push_back(r);
      next.push_back(added);
    } else if (member == "RemoveItem") {
      // Removes the row of that index, or nothing (no such row, a TextBox,
      // no current row).
      next.push_back(r);
      std::optional<int32_t> index = Integer(argument);
      if (index && r.indices.count(*index)) {
        Rows removed = r;
        removed.indices.erase(*index);
        next.push_back(removed);
      }
    } else if (member == "AddField" || member == "Combo_Clear") {
      // A new empty table; a refused column leaves the table as it was.
      if (failed) next.push_back(r);
      next.push_back(Rows{});
    }
  }
  // The same rows reached two ways are one possibility.
  std::vector<Rows> distinct;
  for (Rows& r : next) {
    bool seen = false;
    for (const Rows& d : distinct) seen = seen || (d.indices == r.indices && d.maxIndex == r.maxIndex);
    if (!seen) distinct.push_back(std::move(r));
  }
  possible = std::move(distinct);
}

std::optional<Failure> Checker::Count(const std::string& name, int32_t count) {
  auto it = controls_.find(name);
  if (it == controls_.end() || !switches_.rows) return std::nullopt;
  std::vector<Rows>& possible = it->second.possible;
  std::vector<Rows> kept;
  for (const Rows& r : possible)
    if (static_cast<int32_t>(r.indices.size()) == count) kept.push_back(r);
  if (kept.empty())
    return Failure{"rows", name + " has " + std::to_string(count) + " rows; the rows added less the rows removed are " +
                               Describe(possible)};
  possible = std::move(kept);
  return std::nullopt;
}

std::optional<Failure> Checker::Listing(const std::string& name, const std::string& output) {
  auto it = controls_.find(name);
  if (it == controls_.end() || !switches_.rows) return std::nullopt;
  std::vector<std::string> lines = Lines(output);
  const std::string head = name + ".Rows = ";
  size_t at = 0;
  while (at < lines.size() && lines[at].compare(0, head.size(), head) != 0) ++at;
  if (at == lines.size()) return std::nullopt;  // the listing failed with an error
  std::set<int32_t> seen;
  const std::string header = lines[at].substr(head.size());
  if (header != "no table" && header != "closed") {
    std::optional<int32_t> count = Integer(header.substr(0, header.find(' ')));
    if (!count) return Failure{"rows", "unreadable listing: " + lines[at]};
    for (int32_t r = 0; r < *count; ++r) {
      if (at + 1 + static_cast<size_t>(r) >= lines.size())
        return Failure{"rows", name + ".Rows lists fewer rows than it says"};
      const std::string& row = lines[at + 1 + static_cast<size_t>(r)];
      // The row index field is last: "N" with its quotes.
      std::optional<int32_t> index;
      if (row.size() > 3 && row.back() == '"') {
        size_t close = row.size() - 1, open = row.rfind('"', close - 1);
        if (open != std::string::npos) index = Integer(row.substr(open + 1, close - open - 1));
      }
      if (!index) return Failure{"rows", name + ": a row without its index: " + row};
      if (!seen.insert(*index).second)
        return Failure{"rows", name + ": two rows with the index " + std::to_string(*index)};
    }
  }
  std::vector<Rows>& possible = it->second.possible;
  std::vector<Rows> kept;
  for (const Rows& r : possible)
    if (r.indices == seen) kept.push_back(r);
  if (kept.empty())
    return Failure{"rows", name + " holds the rows " + Describe(seen) + "; the rows added less the rows removed are " +
                               Describe(possible)};
  possible = std::move(kept);
  return std::nullopt;
}

std::optional<Failure> Checker::CompareBags(const std::string& saved, const std::string& again) {
  auto a = bags_.find(saved), b = bags_.find(again);
  if (a == bags_.end() || b == bags_.end()) return std::nullopt;
  if (a->second == b->second) return std::nullopt;
  std::string diff;
  for (size_t i = 0; i < std::max(a->second.size(), b->second.size()); ++i) {
    const std::string x = i < a->second.size() ? a->second[i] : "(nothing)";
    const std::string y = i < b->second.size() ? b->second[i] : "(nothing)";
    if (x != y) {
      diff = saved + " has " + x + ", " + again + " has " + y;
      break;
    }
  }
  return Failure{"save-load", "a control read from " + saved + " writes other settings: " + diff};
}

std::optional<Failure> Checker::Observe(const std::string& line, const std::string& output, size_t openAfter) {
  std::vector<script::Token> t;
  try {
    t = script::Tokenize(line);
  } catch (const script::ScriptError&) {
    return std::nullopt;  // the run reports it
  }
  if (t.empty() || t[0].kind != script::Token::Word) return std::nullopt;
  const std::string& command = t[0].text;
  const bool failed = HasErrorLine(output);
  justPrintedPath_.clear();
  std::optional<Failure> failure;

  if (command == "new" && t.size() >= 2) {
    const std::string& name = t[1].text;
    controls_[name] = Control{};
    if (t.size() == 4) {
      origin_[name] = savedBy_[t[3].text];
      if (switches_.saveLoad && !origin_[name].empty() &&
          output.find("error " + name + ".ReadProperties") != std::string::npos)
        failure = Failure{"save-load", name + " refuses the settings " + origin_[name] + " wrote: " + output};
    }
  } else if (command == "save" && t.size() == 3) {
    savedBy_[t[2].text] = t[1].text;
  } else if (command == "bag" && t.size() == 2) {
    const std::string& bag = t[1].text;
    std::vector<std::string>& entries = bags_[bag];
    entries.clear();
    for (const std::string& l : Lines(output))
      if (l.compare(0, bag.size() + 1, bag + ".") == 0) entries.push_back(l.substr(bag.size() + 1));
    if (switches_.saveLoad && bag.size() > 1 && bag[0] == 'r') failure = CompareBags("s" + bag.substr(1), bag);
  } else if (command == "resize" && t.size() == 4) {
    if (!failed) resized_ = t[1].text;
  } else if (command == "add" && t.size() >= 2) {
    Apply(t[1].text, failed, "AddItem", "");
  } else if (command == "call" && t.size() >= 2) {
    auto [control, member] = SplitPath(t[1].text);
    Apply(control, failed, member, t.size() > 2 ? t[2].text : "");
    if (std::optional<std::string> value = ValueOf(output, t[1].text)) {
      printed_[t[1].text] = *value;
      if (member == "Record_Count") {
        std::optional<int32_t> count = Integer(*value);
        if (count) failure = Count(control, *count);
      }
    }
  } else if (command == "print" && t.size() == 2) {
    const std::string& path = t[1].text;
    auto [control, member] = SplitPath(path);
    std::optional<std::string> value = ValueOf(output, path);
    const std::string last = LastPart(path);
    if (value) {
      printed_[path] = *value;
      justPrintedPath_ = path;
    }
    if (path == "Module1.GrigliaAperta" && value && switches_.windowFlag) {
      // No window counted open once it is closed. (Placing a control while
      // one is open clears the flag: the other way round does not hold.)
      if (*value == "True" && openAfter == 0)
        failure = Failure{"window-flag", "Module1.GrigliaAperta is True with no window open"};
    } else if (last == "Height" && member == "Height" && control == resized_ && value && openAfter == 0 &&
               switches_.windowFlag) {
      // A layout pass with no window open gives the control its height.
      if (*value != "320")
        failure = Failure{"window-flag", path + " = " + *value + " after a resize with no window open (320 expected)"};
    } else if (last == "Rows") {
      failure = Listing(control, output);
    } else if (last == "Fields" && value) {
      std::vector<std::string> fields;
      std::vector<script::Token> names = script::Tokenize(*value);
      for (const script::Token& n : names)
        if (n.text != "_Index_Cmbo_Varno_") fields.push_back(n.text);
      if (auto it = controls_.find(control); it != controls_.end()) it->second.fields = fields;
    } else if (value && switches_.printedValues && last != "Matrice_Campi" && last != "Matrice_V" &&
               last != "CurrentRow") {
      Variant v;
      std::string error;
      bool overflow = false;
      if (!ParseLiteral(*value, v, error, overflow))
        failure = Failure{"printed-values", path + " printed a value that does not read back: " + error};
    }
    // A control read from a bag shows what the control saved into it showed.
    auto from = origin_.find(control);
    if (!failure && value && switches_.saveLoad && from != origin_.end() && !from->second.empty() &&
        lastPrintPath_ == from->second + "." + member) {
      const std::string* before = Printed(lastPrintPath_);
      if (before && *before != *value)
        failure = Failure{"save-load",
                          path + " = " + *value + " after reading what " + lastPrintPath_ + " = " + *before + " wrote"};
    }
    lastPrintPath_ = path;
  }
  if (command != "print") lastPrintPath_.clear();
  if (command != "resize") resized_.clear();
  return failure;
}

}  // namespace cbo::sessions
