// The in-memory table through its public interface. The bytes give a schema
// command (well formed or not) and then a program of adds, updates, finds,
// sorts, deletes and moves. After every step: the row count is the rows added
// less the rows deleted; a Find lands on the row a plain scan of the present
// order finds; a Sort leaves the rows in stable ascending order of their
// folded text with Null first, the current row still current. A row-moved
// subscriber reads the table from inside each notification.
#include <algorithm>
#include <optional>
#include <vector>

#include "fuzz/harness.hpp"
#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"
#include "platform/literal.hpp"

namespace {

using cbo::Error;
using cbo::Recordset;
using cbo::Variant;
using cbo::fuzz::Bytes;
using cbo::fuzz::Check;

using Row = std::vector<Variant>;

const char* const kNames[] = {"Nome", "nome", "Città", "CITTÀ", "A", "b_2", "Straße", "x'y", "_Index_Cmbo_Varno_"};
const char* const kTexts[] = {"",  "a", "A",       "ab", "Ab", "b", "città", "CITTÀ", "straße", "STRASSE",
                              "ǅ", "ǆ", "O'Brien", "*",  "a*", "é", "\xff",  "ﬁ",     "ss"};

std::string SomeText(Bytes& in) {
  const uint8_t b = in.Byte();
  if (b % 4 == 0) return in.Text(8);
  return kTexts[b % (sizeof kTexts / sizeof *kTexts)];
}

std::string Schema(Bytes& in) {
  if (in.Byte() % 8 == 0) return in.Text(60);  // any text at all
  std::string command = in.Byte() % 5 == 0 ? "shape append" : "SHAPE APPEND";
  const int fields = 1 + in.Byte() % 4;
  for (int i = 0; i < fields; ++i) {
    const uint8_t b = in.Byte();
    const std::string name = b % 5 == 0 ? in.Text(6) : kNames[b % (sizeof kNames / sizeof *kNames)];
    command += (i ? ", " : " ") + std::string("New adVarChar(") + std::to_string(in.Byte() % 12) + ") As " + name;
  }
  return command;
}

// The quoted value of a criterion, its quotes doubled.
std::string Quote(const std::string& v) {
  std::string out = "'";
  for (char c : v) {
    out.push_back(c);
    if (c == '\'') out.push_back('\'');
  }
  return out + "'";
}

bool StartsWith(const std::string& s, const std::string& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

std::string Show(const Variant& v) { return v.IsNull() ? "Null" : cbo::QuoteText(cbo::ToText(v, "value")); }

Row RowAt(const Recordset& t, int32_t position) {
  Row row;
  for (int32_t f = 0; f < t.FieldCount(); ++f) row.push_back(t.ValueAt(position, f));
  return row;
}

std::vector<Row> AllRows(const Recordset& t) {
  std::vector<Row> rows;
  for (int32_t p = 0; p < t.RecordCount(); ++p) rows.push_back(RowAt(t, p));
  return rows;
}

// Where a plain scan of the present order finds the criterion, from `start`.
int32_t Scan(const Recordset& t, int32_t field, const std::string& key, bool prefix, int32_t start) {
  for (int32_t p = start; p < t.RecordCount(); ++p) {
    const Variant v = t.ValueAt(p, field);
    if (v.type() != cbo::VarType::String) continue;
    const std::string folded = cbo::FoldCase(v.AsString());
    if (prefix ? StartsWith(folded, key) : folded == key) return p;
  }
  return -1;
}

// Null first, then by the code points of the folded text: the order of its
// UTF-8 bytes (a byte that is not UTF-8 sorts by its value).
bool Before(const Variant& a, const Variant& b) {
  if (a.IsNull() || b.IsNull()) return a.IsNull() && !b.IsNull();
  return cbo::FoldCase(a.AsString()).compare(cbo::FoldCase(b.AsString())) < 0;
}

void Program(const uint8_t* data, size_t size) {
  Bytes in(data, size);
  cbo::MemoryRecordset table;
  int notifications = 0;
  table.Subscribe([&] {
    // Re-entered from every repositioning: read what a subscriber would.
    ++notifications;
    const int32_t p = table.Position();
    Check(p >= -1 && p < table.RecordCount(), "the current row is outside the table inside a notification");
    if (p >= 0 && table.FieldCount() > 0) (void)table.Field(0);
  });
  try {
    table.Open(Schema(in));
  } catch (const Error&) {
    table.Open("SHAPE APPEND New adVarChar(4) As Nome, New adVarChar(9) As Citta");
  }
  const int32_t fields = table.FieldCount();
  Check(fields > 0, "an open table without fields");
  int32_t rows = 0;
  while (!in.Empty()) {
    const uint8_t op = in.Byte() % 10;
    try {
      switch (op) {
        case 0:
        case 1: {  // a new row, with some fields set (or refused)
          table.AddNew();
          const int sets = in.Byte() % 4;
          for (int i = 0; i < sets; ++i) {
            const std::string field = in.Byte() % 8 == 0 ? SomeText(in) : table.FieldName(in.Byte() % fields);
            const uint8_t kind = in.Byte() % 6;
            const Variant value = kind == 0   ? Variant::Null()
                                  : kind == 1 ? Variant(int32_t{in.Byte()})
                                              : Variant(SomeText(in));
            try {
              table.SetField(field, value);
            } catch (const Error&) {}
          }
          if (in.Byte() % 6 == 0) {
            table.CancelUpdate();
          } else {
            table.Update();
            ++rows;
          }
          break;
        }
        case 2:
        case 3: {  // a Find against a plain scan
          const int32_t field = in.Byte() % fields;
          const bool like = in.Byte() % 2 == 0;
          std::string value = SomeText(in);
          if (like && in.Byte() % 3 != 0) value += "*";
          const int32_t skip = in.Byte() % 3;
          const int32_t from = table.Position();
          const std::string criteria = table.FieldName(field) + (like ? " like " : " = ") + Quote(value);
          const bool prefix = like && !value.empty() && value.back() == '*';
          const std::string key = cbo::FoldCase(prefix ? value.substr(0, value.size() - 1) : value);
          const int32_t expected = from < 0 ? -1 : Scan(table, field, key, prefix, from + skip);
          table.Find(criteria, skip);
          Check(table.Position() == expected,
                "Find " + criteria + " from " + std::to_string(from) + " skipping " + std::to_string(skip) +
                    " lands on " + std::to_string(table.Position()) + ", a plain scan on " + std::to_string(expected));
          break;
        }
        case 4: table.Find(in.Text(20), in.Byte() % 2); break;  // any criteria: refused or found
        case 5: {                                               // a Sort against a stable sort of the rows
          const int32_t field = in.Byte() % fields;
          std::vector<Row> before = AllRows(table);
          const int32_t current = table.Position();
          std::optional<Row> currentRow;
          if (current >= 0) currentRow = RowAt(table, current);
          table.Sort(table.FieldName(field));
          std::stable_sort(before.begin(), before.end(),
                           [&](const Row& a, const Row& b) { return Before(a[field], b[field]); });
          const std::vector<Row> after = AllRows(table);
          for (size_t r = 0; r < before.size() && r < after.size(); ++r)
            Check(after[r] == before[r], "Sort by " + table.FieldName(field) + " puts " + Show(after[r][field]) +
                                             " at position " + std::to_string(r) + ", a stable sort " +
                                             Show(before[r][field]));
          Check(after.size() == before.size(), "Sort changed the number of rows");
          Check((table.Position() < 0) == !currentRow, "Sort changed whether there is a current row");
          if (currentRow) Check(RowAt(table, table.Position()) == *currentRow, "Sort lost the current row");
          break;
        }
        case 6:
          if (!table.Eof()) {
            table.Delete();
            --rows;
            Check(table.Eof(), "a row is current after a Delete");
          }
          break;
        case 7: table.MoveFirst(); break;
        case 8: table.MoveTo(static_cast<int32_t>(in.Byte() % 8) - 1); break;
        default:
          if (!table.Eof()) (void)table.Field(table.FieldName(in.Byte() % fields));
          break;
      }
    } catch (const Error&) {
      if (table.EditPending()) table.CancelUpdate();
    }
    Check(table.RecordCount() == rows, "the table holds " + std::to_string(table.RecordCount()) +
                                           " rows; the rows added less the rows deleted are " + std::to_string(rows));
    Check(table.Position() >= -1 && table.Position() < rows, "the current row is outside the table");
  }
  (void)notifications;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Program(data, size);
  return 0;
}
