#pragma once
// The live table tests' reference: rows of random words for a table t (id,
// a, b), the in-memory table holding the same rows, and the current row as
// both are compared.
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "list/list_store.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/memory_recordset.hpp"

namespace cbo::test {

struct TestRow {
  int64_t id;
  std::optional<std::string> a, b;
};

// Rows of words (an eighth of the values Null), keys from 1 without gaps or
// from -5 with gaps.
inline std::vector<TestRow> RandomRows(std::mt19937& rng, int count, bool gaps, std::span<const char* const> words) {
  std::vector<TestRow> rows;
  int64_t id = gaps ? -5 : 1;
  auto value = [&]() -> std::optional<std::string> {
    if (rng() % 8 == 0) return std::nullopt;
    return words[rng() % words.size()];
  };
  for (int i = 0; i < count; ++i) {
    rows.push_back({id, value(), value()});
    id += gaps ? 1 + static_cast<int64_t>(rng() % 4) : 1;
  }
  return rows;
}

inline std::shared_ptr<MemoryRecordset> MemoryTable(const std::vector<TestRow>& rows) {
  auto table = std::make_shared<MemoryRecordset>();
  table->Open("SHAPE APPEND New adVarChar(100) As a, New adVarChar(100) As b, New adVarChar(100) As " +
              std::string(kIndexField));
  for (const TestRow& row : rows) {
    const Variant a = row.a ? Variant(*row.a) : Variant::Null(), b = row.b ? Variant(*row.b) : Variant::Null();
    const Variant id(std::to_string(row.id));
    const Variant* values[] = {&a, &b, &id};
    table->AppendRow(values);
  }
  return table;
}

// The current row: its position and values, or EOF.
inline std::string Described(const Recordset& table) {
  if (table.Eof()) return "EOF";
  std::string text = std::to_string(table.Position()) + ":";
  for (int32_t f = 0; f < table.FieldCount(); ++f) {
    const Variant v = table.Field(f);
    text += v.IsNull() ? " Null" : " \"" + v.AsString() + "\"";
  }
  return text;
}

// A text as a criterion writes it, in single quotes.
inline std::string Quote(const std::string& text) {
  std::string quoted;
  for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return "'" + quoted + "'";
}

// Reads both filters to the end: the same rows found, at the same places.
inline ::testing::AssertionResult SameFilteredRows(FilteredRows& live, FilteredRows& reference) {
  while (live.Scan(1000)) {}
  while (reference.Scan(1000)) {}
  if (live.Found() != reference.Found())
    return ::testing::AssertionFailure() << "found " << live.Found() << " rows, the memory table " << reference.Found();
  for (int32_t shown = 0; shown < live.Found(); ++shown)
    if (live.PositionOf(shown) != reference.PositionOf(shown))
      return ::testing::AssertionFailure() << "found row " << shown << " is row " << live.PositionOf(shown)
                                           << ", in the memory table row " << reference.PositionOf(shown);
  return ::testing::AssertionSuccess();
}

}  // namespace cbo::test
