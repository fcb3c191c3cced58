// The SQL of a live table's queries. Comparisons follow the order the
// in-memory table sorts by: folded text by code points, Null before any
// text, the key last.
#include "list/table/live_sql.hpp"

#include <charconv>

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

// One term and the value of the row in it: strictly on the side, or equal.
std::string Strict(const std::string& term, const LiveValue& value, bool after) {
  if (!value) return after ? term + " IS NOT NULL" : "1 = 0";
  return after ? term + " > ?" : "(" + term + " IS NULL OR " + term + " < ?)";
}

std::string Equal(const std::string& term, const LiveValue& value) { return value ? term + " = ?" : term + " IS NULL"; }

}  // namespace

std::string OrderBy(const LiveOrder& order, bool reversed) {
  std::string sql = " ORDER BY ";
  for (const std::string& term : order.terms) sql += term + (reversed ? " DESC NULLS LAST, " : " ASC NULLS FIRST, ");
  return sql + order.key + (reversed ? " DESC" : " ASC");
}

SqlPart Beside(const LiveOrder& order, const LiveRow& row, Side side) {
  const bool after = side != Side::Before;
  const char* keyOp = side == Side::Before ? " < ?" : side == Side::AtOrAfter ? " >= ?" : " > ?";
  // (t1 beyond v1) OR (t1 = v1 AND ((t2 beyond v2) OR (t2 = v2 AND ... key op k)))
  SqlPart part;
  std::vector<LiveParameter> tail;
  std::string closing;
  for (size_t i = 0; i < order.terms.size(); ++i) {
    const LiveValue& value = row[order.fields[i]];
    const std::string folded = value ? FoldCase(*value) : std::string();
    part.sql += "(" + Strict(order.terms[i], value, after) + " OR (" + Equal(order.terms[i], value) + " AND ";
    if (value) {
      part.parameters.emplace_back(folded);
      part.parameters.emplace_back(folded);
    }
    closing += "))";
  }
  part.sql += order.key + keyOp + closing;
  part.parameters.emplace_back(KeyOf(row, order.keyField));
  return part;
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
