// A table long enough for Find to use its search index, played against a
// plain model of the same rows: after every append, find, move, sort and
// removal the current row must be the one a scan from the current row picks.
#include <algorithm>
#include <optional>
#include <random>

#include "platform/text.hpp"
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

// The rows as the table must present them, searched the slow way.
struct Model {
  std::vector<std::vector<std::optional<std::string>>> rows;  // by slot
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
    table.Open("SHAPE APPEND New adVarChar(100) As Nome, New adVarChar(100) As Codice, "
               "New adVarChar(100) As _Index_Cmbo_Varno_ ");
  }

  // Short words from few letters, so that keys repeat and prefixes overlap;
  // some with capitals and accents that fold, a few Null.
  std::optional<std::string> Word() {
    static const char* const parts[] = {"a", "B", "è", "È", "c", "ß", "Ab", "ba", "é", "É"};
    if (rng() % 23 == 0) return std::nullopt;
    std::string w;
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
      case 0:
        Append();
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

  Recordset table;
  Model model;
  std::mt19937 rng{12345};
};

TEST_F(IndexedTable, FindAgreesWithAScanAcrossAppendsSortsAndRemovals) {
  for (int i = 0; i < 6000; ++i) Append();
  for (int step = 0; step < 1500; ++step) {
    Step();
    ExpectSameRow(step);
  }
  // The present order itself is the model's.
  for (size_t pos = 0; pos < model.order.size(); pos += 97)
    EXPECT_EQ(table.ValueAt(static_cast<int32_t>(pos), 2).AsString(), *model.rows[model.order[pos]][2]);
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
