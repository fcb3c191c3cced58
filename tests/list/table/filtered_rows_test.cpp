// The filtered rows of a table against a plain reference (every row read,
// its cells folded and searched one by one), through what changes a table
// under a filter: rows appended after the filter forms were made, a bulk
// append given up half way, removals, sorts, and texts typed one character
// at a time (a longer text reads only the rows the shorter one found).
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "list/table/filter_fold.hpp"
#include "list/table/filter_match.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"

namespace cbo {
namespace {

const char* const kWords[] = {"Jürgen", "JURGEN",  "Straße", "strasse", "İstanbul", "ıspanak", "Işık",
                              "ΣΟΦΟΣ",  "σοφος",   "Città",  "CITTA",   "São",      "sao",     "Ross",
                              "rossi",  "De-Luca", "ŉ",      "ﬁle",     "x y",      "Ǆemal",   "ro"};
const char* const kKeys[] = {"r", "o", "s", "ß", "ü", "i", "ı", "İ", "σ", "ς", "a", "-", " ", "f", "n", "ʼ"};

bool Reference(const std::string& cell, const std::string& filter, FilterMatch how) {
  const std::u32string key = text::Decode(FilterFold(filter));
  if (key.empty()) return true;
  const std::u32string chars = text::Decode(FilterFold(cell));
  for (size_t at = 0; at + key.size() <= chars.size(); ++at)
    if (chars.compare(at, key.size(), key) == 0 &&
        (how == FilterMatch::Contains || at == 0 || IsWordSeparator(chars[at - 1])))
      return true;
  return false;
}

class Tables {
public:
  explicit Tables(uint32_t seed) : rng_(seed) {
    table_->Open("SHAPE APPEND New adVarChar(80) As A, New adVarChar(80) As B, New adVarChar(80) As C");
  }

  std::string Cell() {
    std::string cell;
    const int words = static_cast<int>(rng_() % 3);
    for (int w = 0; w <= words; ++w) cell += (w ? " " : "") + std::string(kWords[rng_() % std::size(kWords)]);
    return cell;
  }

  void Append(size_t rows) {
    std::vector<std::string> texts(3);
    size_t k = 0;
    table_->AppendRows([&](std::vector<std::optional<std::string_view>>& values) {
      if (k++ == rows) return Recordset::RowStep::End;
      for (size_t f = 0; f < 3; ++f) {
        texts[f] = Cell();
        values[f] = rng_() % 11 == 0 ? std::nullopt : std::optional<std::string_view>(texts[f]);
      }
      return Recordset::RowStep::Row;
    });
  }

  // Half a bulk append, then given up: the table is as it was.
  void GiveUpAppending() {
    std::vector<std::string> texts(3, "Straße Jürgen");
    int k = 0;
    table_->AppendRows([&](std::vector<std::optional<std::string_view>>& values) {
      if (k++ == 50) return Recordset::RowStep::GiveUp;
      for (size_t f = 0; f < 3; ++f) values[f] = texts[f];
      return Recordset::RowStep::Row;
    });
  }

  void Remove() {
    if (table_->RecordCount() == 0) return;
    table_->MoveTo(static_cast<int32_t>(rng_() % static_cast<uint32_t>(table_->RecordCount())));
    table_->Delete();
  }

  // The positions the reference finds, over fields A and C.
  std::vector<int32_t> Expected(const std::string& filter, FilterMatch how) const {
    std::vector<int32_t> out;
    for (int32_t p = 0; p < table_->RecordCount(); ++p) {
      for (int32_t f : {0, 2}) {
        const Variant v = table_->ValueAt(p, f);
        if (FilterFold(filter).empty() || (v.type() == VarType::String && Reference(v.AsString(), filter, how))) {
          out.push_back(p);
          break;
        }
      }
    }
    return out;
  }

  static std::vector<int32_t> Shown(const FilteredRows& rows) {
    std::vector<int32_t> out;
    for (int32_t i = 0; i < rows.Found(); ++i) out.push_back(rows.PositionOf(i));
    return out;
  }

  std::mt19937 rng_;
  std::shared_ptr<MemoryRecordset> table_ = std::make_shared<MemoryRecordset>();
};

TEST(FilteredRows, FindExactlyTheRowsAPlainReadingFindsWhateverChangesTheTable) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Tables t(seed);
    t.Append(300 + seed * 40);
    const FilterMatch how = seed % 2 ? FilterMatch::Contains : FilterMatch::WordStart;
    FilteredRows rows(t.table_, how, {0, 2});
    std::string filter;
    for (int step = 0; step < 60; ++step) {
      const uint32_t r = t.rng_() % 100;
      if (r < 45) {
        filter += kKeys[t.rng_() % std::size(kKeys)];
        rows.SetText(filter);
      } else if (r < 55) {
        filter = filter.empty() ? filter : filter.substr(0, filter.size() - 1);
        if (!filter.empty() && (static_cast<unsigned char>(filter.back()) & 0x80)) filter.clear();
        rows.SetText(filter);
      } else if (r < 65) {
        t.Append(1 + t.rng_() % 40);
      } else if (r < 72) {
        t.GiveUpAppending();
      } else if (r < 82) {
        t.Remove();
      } else if (r < 90) {
        t.table_->Sort(t.rng_() % 2 ? "A" : "B");
      } else {
        filter.clear();
        rows.SetText(filter);
      }
      // Read in stretches of every size, as the slices do.
      rows.ScanUntil(static_cast<int32_t>(t.rng_() % 20), -1, 1 + t.rng_() % 200);
      while (rows.Scan(1 + t.rng_() % 500)) {}
      SCOPED_TRACE("filter \"" + filter + "\" step " + std::to_string(step));
      ASSERT_EQ(Tables::Shown(rows), t.Expected(filter, how));
      for (int32_t i = 0; i < rows.Found(); ++i) ASSERT_EQ(rows.ShownIndexOf(rows.PositionOf(i)), i);
    }
  }
}

TEST(FilteredRows, ALongTableReadOnTwoThreadsFindsWhatOneThreadFinds) {
  Tables t(99);
  t.Append(140000);  // past the stretch two threads share
  for (const char* filter : {"r", "ross", "straß", "σοφος"}) {
    SCOPED_TRACE(filter);
    FilteredRows rows(t.table_, FilterMatch::Contains, {0, 2});
    rows.SetText(filter);
    rows.ScanUntil(INT32_MAX, -1, INT64_MAX);
    ASSERT_EQ(Tables::Shown(rows), t.Expected(filter, FilterMatch::Contains));
  }
}

// An empty filter line shows every row from the first read: the count is
// the table's and the last row shown is the table's last (End reaches it),
// also after a text was typed and taken back.
TEST(FilteredRows, AnEmptyTextShowsEveryRowAtOnce) {
  Tables t(7);
  t.Append(5000);
  FilteredRows rows(t.table_, FilterMatch::Contains, {0, 2});
  for (const char* text : {"", "ro", ""}) {
    SCOPED_TRACE(text);
    rows.SetText(text);
    rows.Scan(1);
    if (*text) continue;
    EXPECT_TRUE(rows.Complete());
    ASSERT_EQ(rows.Found(), t.table_->RecordCount());
    EXPECT_EQ(rows.PositionOf(rows.Found() - 1), t.table_->RecordCount() - 1);
  }
}

TEST(FilteredRows, ARowShownIsTheTablesRowAndMovesItsCurrentRow) {
  Tables t(5);
  t.Append(50);
  FilteredRows rows(t.table_, FilterMatch::Contains, {0, 2});
  rows.SetText("ro");
  rows.ScanUntil(INT32_MAX, -1, INT64_MAX);
  ASSERT_GT(rows.Found(), 1);
  rows.MoveTo(1);
  EXPECT_EQ(t.table_->Position(), rows.PositionOf(1));
  EXPECT_EQ(rows.Position(), 1);
  EXPECT_EQ(rows.ValueAt(1, 0), t.table_->ValueAt(rows.PositionOf(1), 0));
  // The field not searched is never marked.
  EXPECT_TRUE(rows.Highlights(1, 1).empty());
  EXPECT_THROW(rows.PositionOf(rows.Found()), Error);
}

}  // namespace
}  // namespace cbo
