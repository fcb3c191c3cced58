// The drop-down's filter against a plain reference, through the scripted
// host: random rows full of the letters whose case and accents are hard
// (accents, ß, the Turkish dotted and dotless i, Greek final sigma), random
// keys, header sorts, removals and rows added while the drop-down is open.
// After every step the rows the grid shows must be exactly the table's rows
// (as `c.Rows` prints them, in the table's order) whose shown filter columns
// match the filter text, folded and searched plainly; every mark must cover
// a match, and the current row must be one of them.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "apps/cbo-script/run.hpp"
#include "list/table/filter_fold.hpp"
#include "list/table/filter_match.hpp"
#include "platform/text.hpp"

namespace cbo::script {
namespace {

const char* const kWords[] = {"Jürgen",   "JURGEN",  "jurgen", "Straße", "STRASSE", "strasse", "İstanbul",
                              "ISTANBUL", "ıspanak", "Işık",   "ΣΟΦΟΣ",  "σοφος",   "σοφοσ",   "Città",
                              "CITTA",    "São",     "sao",    "Ross",   "rossi",   "De-Luca", "o'brien",
                              "Ǆemal",    "ǆ",       "x y",    "ﬁle",    "FILE",    "Ὀδυσσεύς"};
const char* const kKeys[] = {"r", "o", "s", "ß", "ü", "u", "i", "ı", "İ", "I", "σ", "ς",
                             "Σ", "a", "ã", "-", " ", "e", "t", "c", "f", "ǅ", "δ"};

// One printed value: a quoted string (inner quotes doubled) or a bare word.
std::vector<std::string> Values(const std::string& line) {
  std::vector<std::string> out;
  size_t i = 2;  // after the current-row mark
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
    } else if (line[i] == '"') {
      std::string v;
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
          v += '"';
          ++i;
        } else if (line[i] == '"') {
          ++i;
          break;
        } else {
          v += line[i];
        }
      }
      out.push_back("s:" + v);
    } else {
      const size_t end = line.find(' ', i);
      out.push_back("w:" + line.substr(i, end == std::string::npos ? std::string::npos : end - i));
      i = end == std::string::npos ? line.size() : end;
    }
  }
  return out;
}

// The text without its [[ ]] marks, and the marked stretches.
std::string Unmarked(const std::string& v, std::vector<std::string>& marked) {
  std::string plain;
  size_t i = 0;
  while (i < v.size()) {
    if (v.compare(i, 2, "[[") == 0) {
      const size_t end = v.find("]]", i + 2);
      marked.push_back(v.substr(i + 2, end - i - 2));
      plain += marked.back();
      i = end + 2;
    } else {
      plain += v[i++];
    }
  }
  return plain;
}

// The reference: the folded filter text found in the folded cell, at a word's
// start when asked.
bool ReferenceMatch(const std::string& cell, const std::string& filter, bool wordStart) {
  const std::string f = FilterFold(filter);
  if (f.empty()) return true;
  const std::u32string chars = text::Decode(FilterFold(cell));
  const std::u32string key = text::Decode(f);
  for (size_t at = 0; at + key.size() <= chars.size(); ++at) {
    if (chars.compare(at, key.size(), key) != 0) continue;
    if (!wordStart || at == 0 || IsWordSeparator(chars[at - 1])) return true;
  }
  return false;
}

struct Printed {
  std::vector<std::string> lines;  // from the last "print" on
};

class Session {
public:
  Session(uint32_t seed, bool wordStart) : rng_(seed), wordStart_(wordStart) {}

  std::string Row() {
    std::string a = Cell(), b = Cell(), c = Cell();
    return "add c \"A\" " + Quoted(a) + " \"B\" " + Quoted(b) + " \"C\" " + Quoted(c);
  }

  std::string Cell() {
    std::string cell;
    const int words = 1 + Below(3);
    for (int w = 0; w < words; ++w) cell += (w ? (Below(4) == 0 ? "-" : " ") : "") + std::string(kWords[Below(27)]);
    return cell;
  }

  static std::string Quoted(const std::string& s) { return "\"" + s + "\""; }
  int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  // The lines of the session: setup, then steps each followed by the prints
  // the check reads.
  bool Next(std::string& line, size_t open, const std::string& out) {
    if (!setup_.empty()) {
      line = setup_.front();
      setup_.erase(setup_.begin());
      return true;
    }
    if (pendingPrints_.empty()) {
      if (checkDue_) {
        Check(out);
        checkDue_ = false;
      }
      if (steps_ == 0) {
        if (open > 0) {
          line = "grid key Escape";
          return true;
        }
        return false;
      }
      --steps_;
      if (open == 0) {
        line = "button c";
        lastFilter_.clear();  // forgotten at the close
      } else {
        line = Step();
      }
      // A Backspace on an empty filter line changes nothing.
      afterKey_ = line.rfind("grid type", 0) == 0 || (line == "grid key Backspace" && !lastFilter_.empty());
      pendingPrints_ = {"echo \"--check\"", "print c.Rows", "print FrmGriglia.FilterText", "print FrmGriglia.Shown"};
      // The prints need the window open; a step that closed it is followed
      // by the next opening instead.
      if (line == "grid key Escape" || line == "button c") pendingPrints_.clear();
      return true;
    }
    if (open == 0) {
      pendingPrints_.clear();
      return Next(line, open, out);
    }
    line = pendingPrints_.front();
    pendingPrints_.erase(pendingPrints_.begin());
    if (pendingPrints_.empty()) checkDue_ = true;
    return true;
  }

  std::string Step() {
    const int r = Below(100);
    if (r < 50) return "grid type " + Quoted(kKeys[Below(23)]);
    if (r < 65) return "grid key Backspace";
    if (r < 73) return "grid header " + std::to_string(Below(2));
    if (r < 81) return "call c.RemoveItem " + std::to_string(1 + Below(maxIndex_));
    if (r < 92) {
      ++maxIndex_;
      return Row();
    }
    if (r < 96) return "grid key Down";
    return "grid key Escape";
  }

  void Setup(int rows, int steps) {
    steps_ = steps;
    setup_ = {"new c",
              "let c.StileCbo = ComboBox",
              std::string("let c.FilterMode = ") + (wordStart_ ? "FilterWordStart" : "FilterContains"),
              "call c.AddField \"A\"",
              "call c.AddField \"B\"",
              "call c.AddField \"C\" \"C\" False"};
    if (Below(2) == 0) setup_.push_back("let c.FilterColumns = \"B\"");
    onlyB_ = setup_.back() == "let c.FilterColumns = \"B\"";
    for (int i = 0; i < rows; ++i) setup_.push_back(Row());
    maxIndex_ = rows;
  }

  // Reads the last check's prints and compares the grid's rows with the
  // reference.
  void Check(const std::string& out) {
    const size_t at = out.rfind("--check\n");
    ASSERT_NE(at, std::string::npos);
    std::istringstream in(out.substr(at + 8));
    std::string l;
    std::vector<std::vector<std::string>> table;
    std::getline(in, l);  // c.Rows = N rows
    while (std::getline(in, l) && l.rfind("FrmGriglia.FilterText = ", 0) != 0)
      if (l != "* EOF") table.push_back(Values(l));
    const std::string filter = Values("  " + l.substr(24))[0].substr(2);
    lastFilter_ = filter;
    std::getline(in, l);  // FrmGriglia.Shown = K of N rows
    const std::string header = l;
    std::vector<std::vector<std::string>> shown;
    bool currentShown = false, eof = false;
    while (std::getline(in, l)) {
      if (l == "* EOF") {
        eof = true;
        continue;
      }
      if (l.rfind("* ", 0) == 0) currentShown = true;
      shown.push_back(Values(l));
    }
    std::vector<std::vector<std::string>> expected;
    for (const auto& row : table) {
      // A, B and C, then the row index; C is hidden and never searched.
      bool match = false;
      for (int f = onlyB_ ? 1 : 0; f < 2 && !match; ++f)
        match = row[f].rfind("s:", 0) == 0 && ReferenceMatch(row[f].substr(2), filter, wordStart_);
      if (match || FilterFold(filter).empty()) expected.push_back(row);
    }
    SCOPED_TRACE("filter \"" + filter + "\" " + header);
    ASSERT_EQ(header, "FrmGriglia.Shown = " + std::to_string(expected.size()) + " of " + std::to_string(table.size()) +
                          " rows");
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t r = 0; r < shown.size(); ++r) {
      bool anyMark = false;
      for (size_t f = 0; f < shown[r].size(); ++f) {
        std::vector<std::string> marked;
        const std::string plain = Unmarked(shown[r][f], marked);
        ASSERT_EQ(plain, expected[r][f]) << "row " << r << " field " << f;
        for (const std::string& m : marked) {
          // A mark covers whole characters whose folded form holds the match.
          EXPECT_NE(FilterFold(m).find(FilterFold(filter)), std::string::npos) << m;
          EXPECT_TRUE(f < 2 && (!onlyB_ || f == 1)) << "a mark outside the searched columns";
          anyMark = true;
        }
      }
      if (!FilterFold(filter).empty()) {
        EXPECT_TRUE(anyMark) << "row " << r;
      }
    }
    // The current row is a row shown, or there is none (a host's removal of
    // it, as without the filter); after a key the first row shown becomes
    // current when the one that was current does not match.
    EXPECT_NE(currentShown, eof);
    if (afterKey_) {
      EXPECT_EQ(currentShown, !shown.empty());
    }
    ++checks_;
  }

  int checks_ = 0;

private:
  std::mt19937 rng_;
  bool wordStart_;
  bool onlyB_ = false;
  int steps_ = 0;
  int maxIndex_ = 0;
  bool checkDue_ = false;
  bool afterKey_ = false;
  std::string lastFilter_;
  std::vector<std::string> setup_;
  std::vector<std::string> pendingPrints_;
};

TEST(FilterRandom, TheGridShowsExactlyTheRowsAPlainSearchFindsThroughKeysSortsRemovalsAndFills) {
  for (uint32_t seed = 1; seed <= 24; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Session session(seed, seed % 3 == 0);
    session.Setup(5 + static_cast<int>(seed % 4) * 10, 120);
    std::ostringstream out, err;
    const int status =
        RunScenarioFrom([&](std::string& line, size_t open) { return session.Next(line, open, out.str()); }, out, err);
    ASSERT_EQ(status, 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_GT(session.checks_, 40);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace cbo::script
