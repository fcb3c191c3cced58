// The SQL of a live table's queries. Comparisons follow the order the
// in-memory table sorts by: folded text by code points, Null before any
// text, the key last.
#include "list/table/live_sql.hpp"

#include <charconv>
#include <climits>

#include "list/table/recordset.hpp"
#include "platform/error.hpp"

namespace cbo {

std::string QuoteIdentifier(const std::string& name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

namespace table {

namespace {

// The largest code point: a prefix followed by it is past every text that
// begins with the prefix (but for a text that has that noncharacter next).
constexpr const char* kLastCodePoint = "\xF4\x8F\xBF\xBF";

// The row's values in the order's terms, folded as the terms are.
struct Values {
  std::vector<LiveValue> terms;
  int64_t key;
};

Values ValuesOf(const LiveOrder& order, const LiveRow& row) {
  Values v{{}, KeyOf(row, order.keyField)};
  for (size_t field : order.fields) {
    const LiveValue& value = row[field];
    v.terms.push_back(value ? LiveValue(FoldCase(*value)) : std::nullopt);
  }
  return v;
}

// The first `count` terms equal to the row's.
SqlPart EqualTo(const LiveOrder& order, const Values& v, size_t count) {
  SqlPart part;
  for (size_t i = 0; i < count; ++i) {
    part.sql += (i ? " AND " : "") + order.terms[i] + (v.terms[i] ? " = ?" : " IS NULL");
    if (v.terms[i]) part.parameters.emplace_back(*v.terms[i]);
  }
  return part;
}

void Append(SqlPart& to, const std::string& glue, const SqlPart& part) {
  if (part.sql.empty()) return;
  to.sql += (to.sql.empty() ? "" : glue) + part.sql;
  to.parameters.insert(to.parameters.end(), part.parameters.begin(), part.parameters.end());
}

}  // namespace

std::string OrderFrom(const LiveOrder& order, size_t first) {
  std::string sql = " ORDER BY ";
  for (size_t i = first; i < order.terms.size(); ++i) sql += order.terms[i] + " ASC NULLS FIRST, ";
  return sql + order.key + " ASC";
}

std::string OrderBy(const LiveOrder& order, bool reversed) {
  std::string sql = " ORDER BY ";
  for (const std::string& term : order.terms) sql += term + (reversed ? " DESC NULLS LAST, " : " ASC NULLS FIRST, ");
  return sql + order.key + (reversed ? " DESC" : " ASC");
}

SqlPart CountBefore(const LiveOrder& order, const LiveRow& row, const std::string& from, bool fromSecondTerm) {
  const Values v = ValuesOf(order, row);
  SqlPart sum;
  auto count = [&](SqlPart where) {
    SqlPart one{"(SELECT count(*)" + from + " WHERE " + where.sql + ")", std::move(where.parameters)};
    Append(sum, " + ", one);
  };
  for (size_t i = fromSecondTerm ? 1 : 0; i < order.terms.size(); ++i) {
    if (!v.terms[i]) continue;  // nothing sorts before Null
    for (bool nulls : {true, false}) {
      SqlPart where = EqualTo(order, v, i);
      SqlPart beyond{order.terms[i] + (nulls ? " IS NULL" : " < ?"), {}};
      if (!nulls) beyond.parameters.emplace_back(*v.terms[i]);
      Append(where, " AND ", beyond);
      count(std::move(where));
    }
  }
  SqlPart where = EqualTo(order, v, order.terms.size());
  Append(where, " AND ", SqlPart{order.key + " < ?", {v.key}});
  count(std::move(where));
  return {"SELECT " + sum.sql, std::move(sum.parameters)};
}

SqlPart FirstFrom(const LiveOrder& order, const LiveRow& row, const std::string& columns, const std::string& from,
                  const SqlPart& condition) {
  const Values v = ValuesOf(order, row);
  SqlPart parts;
  // The stretches in order: rows equal in every term from the row's key on,
  // then those equal in all terms but the last and beyond in it, and so on.
  for (size_t equal = order.terms.size() + 1; equal-- > 0;) {
    SqlPart where{"(" + condition.sql + ")", condition.parameters};
    Append(where, " AND ", EqualTo(order, v, equal));
    if (equal == order.terms.size())
      Append(where, " AND ", SqlPart{order.key + " >= ?", {v.key}});
    else if (v.terms[equal])
      Append(where, " AND ", SqlPart{order.terms[equal] + " > ?", {*v.terms[equal]}});
    else
      Append(where, " AND ", SqlPart{order.terms[equal] + " IS NOT NULL", {}});
    const std::string stretch = std::to_string(order.terms.size() - equal);
    SqlPart one{"SELECT * FROM (SELECT " + columns + ", " + stretch + " AS cbo_stretch" + from + " WHERE " + where.sql +
                    OrderFrom(order, equal) + " LIMIT 1) AS s" + stretch,
                std::move(where.parameters)};
    Append(parts, " UNION ALL ", one);
  }
  return {"SELECT * FROM (" + parts.sql + ") AS stretches ORDER BY cbo_stretch LIMIT 1", std::move(parts.parameters)};
}

SqlPart Matching(const Criterion& criterion, const std::string& folded, const std::string& key) {
  const std::string value = FoldCase(criterion.value);
  if (!key.empty() && !criterion.prefix) {
    // The key's text is its decimal writing: only that text can equal it.
    int64_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    if (error != std::errc() || end != value.data() + value.size() || std::to_string(number) != value) return {};
    return {key + " = ?", {number}};
  }
  if (!criterion.prefix) return {folded + " = ?", {value}};
  if (value.empty()) return {folded + " IS NOT NULL", {}};
  return {folded + " >= ? AND " + folded + " <= ?", {value, value + kLastCodePoint}};
}

int32_t CountRead(const std::vector<LiveRow>& rows) {
  int64_t count = -1;
  if (rows.size() == 1 && !rows[0].empty() && rows[0][0]) {
    const std::string& text = *rows[0][0];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (error != std::errc() || end != text.data() + text.size()) count = -1;
  }
  if (count < 0) throw Error(ErrorKind::Database, "counting the rows gave no number");
  if (count > INT32_MAX)
    throw Error(ErrorKind::Database,
                "the table has " + std::to_string(count) + " rows, more than a list can hold (2147483647)");
  return static_cast<int32_t>(count);
}

int64_t KeyOf(const LiveRow& row, size_t keyField) {
  const LiveValue& text = row[keyField];
  int64_t number = 0;
  if (text) {
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), number);
    if (error == std::errc() && end == text->data() + text->size()) return number;
  }
  throw Error(ErrorKind::Database,
              "the key column holds " + (text ? "\"" + *text + "\"" : std::string("Null")) + ", not a whole number");
}

}  // namespace table

}  // namespace cbo
