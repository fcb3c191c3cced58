// The filter's text index: its statements, how a live table finds it, and
// how a filter text is looked up in it.
#include "sqlite/filter_index.hpp"

#include <algorithm>
#include <cctype>

#include "platform/text.hpp"
#include "sqlite/live_sqlite.hpp"

namespace cbo {

namespace {

// SQLite compares names without regard to ASCII letter case.
bool SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

// `prefix.` before each field, each folded for the filter: the values a
// trigger or the first fill writes into the index.
std::string Folded(const std::string& prefix, const std::vector<std::string>& fields) {
  std::string list;
  for (const std::string& field : fields)
    list += (list.empty() ? "" : ", ") + ("cbo_filter_fold(" + prefix + QuoteIdentifier(field) + ")");
  return list;
}

}  // namespace

std::vector<std::string> FilterIndexStatements(const std::string& table, const std::string& key,
                                               const std::vector<std::string>& fields) {
  const std::string name = sqlite::FilterIndexName(table);
  const std::string index = QuoteIdentifier(name), source = QuoteIdentifier(table), id = QuoteIdentifier(key);
  std::string columns;
  for (const std::string& field : fields) columns += (columns.empty() ? "" : ", ") + QuoteIdentifier(field);
  // The index keeps no copy of the texts (content='') and no places in them
  // (detail=none): the rows it gives are matched again by the filter.
  const std::string insert =
      "INSERT INTO " + index + "(rowid, " + columns + ") VALUES (new." + id + ", " + Folded("new.", fields) + ");";
  const std::string remove = "INSERT INTO " + index + "(" + index + ", rowid, " + columns + ") VALUES ('delete', old." +
                             id + ", " + Folded("old.", fields) + ");";
  return {
      "CREATE VIRTUAL TABLE " + index + " USING fts5(" + columns +
          ", content='', detail=none, tokenize='trigram case_sensitive 1');",
      "INSERT INTO " + index + "(rowid, " + columns + ") SELECT " + id + ", " + Folded("", fields) + " FROM " + source +
          ";",
      "CREATE TRIGGER " + QuoteIdentifier(name + "_insert") + " AFTER INSERT ON " + source + " BEGIN " + insert +
          " END;",
      "CREATE TRIGGER " + QuoteIdentifier(name + "_delete") + " AFTER DELETE ON " + source + " BEGIN " + remove +
          " END;",
      "CREATE TRIGGER " + QuoteIdentifier(name + "_update") + " AFTER UPDATE ON " + source + " BEGIN " + remove + " " +
          insert + " END;",
  };
}

namespace sqlite {

std::string FilterIndexName(const std::string& table) { return table + "_cbo_filter"; }

std::optional<FilterIndex> FindFilterIndex(LiveDatabase& db, const std::string& table) {
  FilterIndex index{FilterIndexName(table), {}};
  const std::vector<LiveParameter> named{index.name};
  const std::vector<LiveRow> found = db.Query(
      "SELECT name FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE AND "
      "sql LIKE 'CREATE VIRTUAL TABLE % USING fts5%'",
      named);
  if (found.empty()) return std::nullopt;
  index.name = found[0][0].value_or(index.name);
  for (const LiveRow& column : db.Query("SELECT name FROM pragma_table_info(?)", named))
    if (column[0]) index.columns.push_back(*column[0]);
  return index;
}

std::optional<LiveSelect> KeysThatMayMatch(const FilterIndex& index, std::span<const std::string> columns,
                                           const std::string& folded) {
  for (const std::string& column : columns)
    if (std::none_of(index.columns.begin(), index.columns.end(),
                     [&](const std::string& held) { return SameName(held, column); }))
      return std::nullopt;
  // The index holds every three characters of the texts: a row that holds
  // the text holds each of its threes (a row may hold them all apart, and
  // is then no match).
  std::vector<size_t> starts;
  for (size_t i = 0; i < folded.size();) {
    const int length = text::SequenceLength(folded, i);
    if (length == 0) return std::nullopt;
    starts.push_back(i);
    i += static_cast<size_t>(length);
  }
  starts.push_back(folded.size());
  if (starts.size() < 4) return std::nullopt;
  std::string query;
  // The first sixteen threes narrow about as well as all of them would.
  for (size_t t = 0; t + 3 < starts.size() && t < 16; ++t) {
    std::string quoted = "\"";
    for (size_t i = starts[t]; i < starts[t + 3]; ++i) quoted += folded[i] == '"' ? "\"\"" : std::string(1, folded[i]);
    query += (query.empty() ? "" : " AND ") + quoted + "\"";
  }
  const std::string name = QuoteIdentifier(index.name);
  return LiveSelect{"SELECT rowid FROM " + name + " WHERE " + name + " MATCH ?", {query}};
}

}  // namespace sqlite

}  // namespace cbo
