// A table long enough for Find to use its search indexes, played against a
// plain model of the same rows: after every append, find, move, sort, removal
// and slice of index work the current row must be the one a scan from the
// current row picks, whether a field's index is not asked for, half made,
// ready with a tail of later rows, being made anew, or making its minimums
// again after a sort.
#include <algorithm>
#include <optional>
#include <random>

#include "platform/text.hpp"
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

// The rows as the table must present them, searched the slow way.
struct Model {
  std::vector<std::vector<std::optional<std::string>>> rows;    // by slot
  std::vector<std::vector<std::optional<std::string>>> folded;  // the same, folded
  std::vector<size_t> order;
  int64_t current = -1;

  int64_t Find(size_t field, const std::string& value, bool prefix, int32_t skip) {
    const std::string key = FoldCase(value);
    const size_t start = current < 0 ? order.size() : static_cast<size_t>(current) + static_cast<size_t>(skip);
    current = -1;
    for (size_t pos = start; pos < order.size(); ++pos) {
      const auto& v = folded[order[pos]][field];
      if (!v) continue;
      if (prefix ? v->starts_with(key) : *v == key) return current = static_cast<int64_t>(pos);
    }
    return current;
  }
  void Sort(size_t field) {
    std::optional<size_t> slot;
    if (current >= 0) slot = order[static_cast<size_t>(current)];
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      const auto &va = folded[a][field], &vb = folded[b][field];
      if (!va || !vb) return !va && vb;
      return *va < *vb;
    });
    if (slot) current = std::find(order.begin(), order.end(), *slot) - order.begin();
  }
};

class IndexedTable : public ::testing::Test {
protected:
  void SetUp() override {
    table.Open(
        "SHAPE APPEND New adVarChar(100) As Nome, New adVarChar(100) As Codice, "
        "New adVarChar(100) As _Index_Cmbo_Varno_ ");
  }

  // Short words from few letters, so that keys repeat and prefixes overlap;
  // some with capitals and accents that fold, some behind a long common
  // beginning (texts that agree past their leading keys), a few Null.
  std::optional<std::string> Word() {
    static const char* const parts[] = {"a", "B", "è", "È", "c", "ß", "Ab", "ba", "é", "É"};
    if (rng() % 23 == 0) return std::nullopt;
    std::string w = rng() % 8 == 0 ? "Via Giuseppe Garibaldi " : "";
    const size_t n = 1 + rng() % 4;
    for (size_t i = 0; i < n; ++i) w += parts[rng() % std::size(parts)];
    return w;
  }

  void Append() {
    std::vector<std::optional<std::string>> row = {Word(), std::to_string(rng() % 500),
                                                   std::to_string(model.rows.size() + 1)};
    table.AddNew();
    table.SetField("Nome", row[0] ? Variant(*row[0]) : Variant::Null());
    table.SetField("Codice", Variant(*row[1]));
    table.SetField("_Index_Cmbo_Varno_", Variant(*row[2]));
    table.Update();
    model.rows.push_back(row);
    for (auto& v : row)
      if (v) v = FoldCase(*v);
    model.folded.push_back(row);
    model.order.push_back(model.rows.size() - 1);
    model.current = static_cast<int64_t>(model.order.size()) - 1;
  }

  // A value of some row (or its first characters), in either letter case, or a miss.
  std::string Key(size_t field, bool prefix) {
    if (rng() % 10 == 0) return "zz";
    const auto& v = model.rows[rng() % model.rows.size()][field];
    std::string key = v ? *v : "";
    if (prefix && key.size() > 1) key = text::Left(key, 1 + static_cast<int32_t>(rng() % 2));
    return rng() % 2 ? key : FoldCase(key);
  }

  void Step() {
    static const char* const names[] = {"Nome", "codice", "_INDEX_Cmbo_Varno_"};
    const size_t field = rng() % 3;
    switch (rng() % 16) {
      case 0: Append(); break;
      case 4:
        // Idle time: a slice of index work of any size, now and then for a
        // field no Find has asked for yet.
        if (rng() % 4 == 0) table.PrepareIndex(names[field]);
        table.BuildIndexes(static_cast<int64_t>(rng() % 40000));
        break;
      case 5:
        // A burst of rows: an index made before it has a long tail.
        if (rng() % 4 == 0)
          for (size_t i = 0, n = 1 + rng() % 400; i < n; ++i) Append();
        break;
      case 1:
        table.Sort(names[field]);
        model.Sort(field);
        break;
      case 2:
        if (model.current >= 0) {
          table.Delete();
          model.order.erase(model.order.begin() + model.current);
          model.current = -1;
        }
        break;
      case 3:
        if (!model.order.empty()) {
          const int32_t to = static_cast<int32_t>(rng() % model.order.size());
          table.MoveTo(to);
          model.current = to;
        }
        break;
      default: {
        const bool prefix = rng() % 2 == 0;
        const std::string key = Key(field, prefix);
        if (rng() % 3 != 0) {
          table.MoveFirst();
          model.current = model.order.empty() ? -1 : 0;
        }
        const int32_t skip = static_cast<int32_t>(rng() % 3 == 0 ? rng() % 2 : 0);
        std::string quoted;
        for (char c : key) quoted += c == '\'' ? std::string("''") : std::string(1, c);
        table.Find(std::string(names[field]) + (prefix ? " like '" + quoted + "*'" : " = '" + quoted + "'"), skip);
        model.Find(field, key, prefix, skip);
      }
    }
  }

  void ExpectSameRow(int step) {
    ASSERT_EQ(table.Position(), model.current) << "after step " << step;
    ASSERT_EQ(table.RecordCount(), static_cast<int32_t>(model.order.size()));
  }

  MemoryRecordset table;
  Model model;
  std::mt19937 rng{12345};
};

TEST_F(IndexedTable, FindAgreesWithAScanAcrossAppendsSortsAndRemovals) {
  for (int i = 0; i < 6000; ++i) Append();
  for (int step = 0; step < 2500; ++step) {
    Step();
    ExpectSameRow(step);
  }
  // Every index made to the end, then the same again.
  while (table.BuildIndexes(1 << 20)) {}
  EXPECT_FALSE(table.IndexesPending());
  for (int step = 0; step < 500; ++step) {
    Step();
    ExpectSameRow(step);
  }
  // The present order itself is the model's.
  for (size_t pos = 0; pos < model.order.size(); pos += 97)
    EXPECT_EQ(table.ValueAt(static_cast<int32_t>(pos), 2).AsString(), *model.rows[model.order[pos]][2]);
}

TEST_F(IndexedTable, AnIndexAskedForIsMadeInSlicesAndAnswersAsAScanDoes) {
  for (int i = 0; i < 1000; ++i) Append();
  table.PrepareIndex("Nome");  // a short table is read: no index
  EXPECT_FALSE(table.IndexesPending());
  for (int i = 0; i < 5000; ++i) Append();
  table.PrepareIndex("NOME");
  EXPECT_TRUE(table.IndexesPending());
  int slices = 0;
  while (table.BuildIndexes(5000)) ++slices;
  EXPECT_GT(slices, 3);  // no slice did it all
  EXPECT_FALSE(table.IndexesPending());
  for (int i = 0; i < 200; ++i) {
    const bool prefix = i % 2 == 0;
    const std::string key = Key(0, prefix);
    table.MoveFirst();
    model.current = 0;
    table.Find(std::string("Nome") + (prefix ? " like '" : " = '") + key + (prefix ? "*'" : "'"));
    model.Find(0, key, prefix, 0);
    ExpectSameRow(i);
  }
  ExpectError([&] { table.PrepareIndex("Cognome"); }, {"Cognome"});
  MemoryRecordset closed;
  EXPECT_FALSE(closed.BuildIndexes(100));
  EXPECT_FALSE(closed.IndexesPending());
}

// The hidden row index holds ascending whole numbers and is searched by a
// binary search of its slots; a value out of that pattern, and removals and
// sorts, must not change what is found.
TEST_F(IndexedTable, WholeNumbersAreFoundExactlyAsWritten) {
  for (int i = 0; i < 6000; ++i) Append();
  auto findIndex = [&](const std::string& value) {
    table.MoveFirst();
    table.Find("_Index_Cmbo_Varno_ = '" + value + "'");
    return table.Eof() ? std::string("EOF") : table.Field("_Index_Cmbo_Varno_").AsString();
  };
  EXPECT_EQ(findIndex("5999"), "5999");
  EXPECT_EQ(findIndex("05999"), "EOF");  // a text, not a number: no row holds it
  EXPECT_EQ(findIndex("6001"), "EOF");
  table.Sort("Nome");
  EXPECT_EQ(findIndex("4321"), "4321");
  table.Find("_Index_Cmbo_Varno_ = '4321'");  // from the row itself
  EXPECT_EQ(table.Field("_Index_Cmbo_Varno_").AsString(), "4321");
  table.Delete();
  EXPECT_EQ(findIndex("4321"), "EOF");
  // A row out of the pattern: the field is searched like any other from now on.
  table.AddNew();
  table.SetField("Nome", Variant("x"));
  table.SetField("Codice", Variant("1"));
  table.SetField("_Index_Cmbo_Varno_", Variant("12"));
  table.Update();
  table.MoveFirst();
  table.Find("_Index_Cmbo_Varno_ = '12'");  // the first of the two in the present order
  EXPECT_LT(table.Position(), table.RecordCount() - 1);
  table.Find("_Index_Cmbo_Varno_ = '12'", 1);  // then the one just added, last
  EXPECT_EQ(table.Position(), table.RecordCount() - 1);
  EXPECT_EQ(findIndex("5999"), "5999");
  EXPECT_EQ(findIndex("4321"), "EOF");
}

TEST_F(IndexedTable, RowsAppendedAfterTheIndexIsMadeAreFound) {
  for (int i = 0; i < 6000; ++i) Append();
  table.MoveFirst();
  table.Find("_Index_Cmbo_Varno_ = '5999'");  // makes the index of the hidden field
  EXPECT_EQ(table.Position(), 5998);
  for (int i = 0; i < 3000; ++i) {  // past the point where the index is made again
    Append();
    table.MoveFirst();
    table.Find("_Index_Cmbo_Varno_ = '" + std::to_string(model.rows.size()) + "'");
    ASSERT_EQ(table.Position(), static_cast<int32_t>(model.rows.size()) - 1);
  }
  table.MoveFirst();
  table.Delete();  // the first row goes: every other row moves up one
  table.MoveFirst();
  table.Find("_Index_Cmbo_Varno_ like '9000*'");
  EXPECT_EQ(table.Position(), 8998);
  table.MoveFirst();
  table.Find("_Index_Cmbo_Varno_ = '1'");
  EXPECT_TRUE(table.Eof());
}

}  // namespace
}  // namespace cbo::testing
