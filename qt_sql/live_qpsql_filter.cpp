// The filter's text indexes on PostgreSQL: a trigram index (pg_trgm) on each
// field's text in a filter form the server makes, cbo_filter_fold(text):
// the characters the list's own form drops or makes ASCII translated as the
// list translates them, the other accents dropped by unaccent, letter case
// by lower() under ICU's root collation. The server's form is not the
// list's own in every character, so the index is asked only for ASCII
// filter texts, which it finds wherever the list would (wherever the list's
// form of a character holds ASCII, the server's is the same but for the few
// docs/database.md names), and the list matches the rows it gives itself.
#include <algorithm>

#include "list/table/filter_fold.hpp"
#include "platform/text.hpp"
#include "qt_sql/live_qpsql.hpp"

namespace cbo::qt_sql {

namespace {

std::string FoldedColumn(const std::string& field) {
  return "cbo_filter_fold(CAST(" + QuoteIdentifier(field) + " AS TEXT))";
}

// The filter text as a LIKE pattern: anywhere in the text, its own %, _ and
// backslashes literal.
std::string Anywhere(const std::string& folded) {
  std::string pattern = "%";
  for (char c : folded) {
    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern + "%";
}

// The SQL that makes the characters the list's form drops (marks) or turns
// into one ASCII character the same on the server, before unaccent and
// lower() see the rest. The dropped characters are a regular expression's
// ranges; the others a translate(), of the characters past the Latin letters
// U+00C0 to U+024F, which unaccent makes alike itself, and only for a text
// that holds one (translate reads its whole list for every character).
std::string ListFormTranslation(const std::string& text) {
  std::string from, to, dropped;
  char32_t runStart = 0, runEnd = 0;  // the dropped characters' present range
  auto endRun = [&] {
    if (runStart == 0) return;
    dropped += text::Encode(std::u32string(1, runStart));
    if (runEnd > runStart) dropped += "-" + text::Encode(std::u32string(1, runEnd));
    runStart = 0;
  };
  for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::string one = text::Encode(std::u32string(1, c));
    const std::string form = FilterFold(one);
    if (form.empty()) {
      if (runStart == 0 || c != runEnd + 1) {
        endRun();
        runStart = c;
      }
      runEnd = c;
      continue;
    }
    if (form.size() == 1 && static_cast<unsigned char>(form[0]) < 0x80 && (c < 0xC0 || c > 0x24F)) {
      from += one;
      to += form[0] == '\'' ? std::string("''") : form;
    }
  }
  endRun();
  const std::string kept = "regexp_replace(" + text + ", '[" + dropped + "]', '', 'g')";
  return "CASE WHEN " + text + " ~ '[" + from + "]' THEN translate(" + kept + ", '" + from + "', '" + to + "') ELSE " +
         kept + " END";
}

}  // namespace

std::vector<std::string> QpsqlFilterIndexStatements(const std::string& table, const std::vector<std::string>& fields) {
  std::vector<std::string> statements = {
      "CREATE EXTENSION IF NOT EXISTS pg_trgm;", "CREATE EXTENSION IF NOT EXISTS unaccent;",
      "CREATE OR REPLACE FUNCTION cbo_filter_fold(text) RETURNS text LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE "
      "AS $$ SELECT lower(unaccent('unaccent', " +
          ListFormTranslation("$1") + ") COLLATE \"und-x-icu\") COLLATE \"C\" $$;"};
  for (const std::string& field : fields)
    statements.push_back("CREATE INDEX " + QuoteIdentifier(table + "_" + field + "_filter") + " ON " +
                         QuoteIdentifier(table) + " USING gin ((" + FoldedColumn(field) + ") gin_trgm_ops);");
  return statements;
}

// The fields whose filter form has a trigram index: the planner, told to
// avoid reading the whole table, still reads it for a field without one.
std::vector<std::string> QpsqlFilterIndexed(QtLiveDatabase& db, const std::string& table,
                                            const std::vector<std::string>& fields) {
  const std::vector<LiveRow> function =
      db.Query("SELECT CAST(to_regprocedure('cbo_filter_fold(text)') IS NOT NULL AS integer)", {});
  if (function.at(0).at(0) != "1") return {};
  std::vector<std::string> indexed;
  WithPlannerOff(db, "enable_seqscan", [&] {
    for (const std::string& field : fields) {
      const std::vector<LiveRow> plan = db.Query(
          "EXPLAIN SELECT 1 FROM " + QuoteIdentifier(table) + " WHERE " + FoldedColumn(field) + " LIKE '%abc%'", {});
      const bool reads = std::any_of(plan.begin(), plan.end(), [](const LiveRow& line) {
        return !line.empty() && line[0] && line[0]->find("Seq Scan") != std::string::npos;
      });
      if (!reads) indexed.push_back(field);
    }
  });
  return indexed;
}

void QpsqlLive::UseFilterIndexes(std::string table, std::string key, std::vector<std::string> fields) {
  filterTable_ = std::move(table);
  filterKey_ = std::move(key);
  filterFields_ = std::move(fields);
}

std::optional<LiveSelect> QpsqlLive::FilterIndexKeys(std::span<const std::string> columns,
                                                     const std::string& folded) const {
  // Three characters at least (a trigram), and ASCII only.
  if (folded.size() < 3 || columns.empty()) return std::nullopt;
  if (std::any_of(folded.begin(), folded.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    return std::nullopt;
  LiveSelect select{"SELECT " + QuoteIdentifier(filterKey_) + " FROM " + QuoteIdentifier(filterTable_) + " WHERE ", {}};
  for (const std::string& column : columns) {
    if (std::find(filterFields_.begin(), filterFields_.end(), column) == filterFields_.end()) return std::nullopt;
    select.sql += (select.parameters.empty() ? "" : " OR ") + FoldedColumn(column) + " LIKE ?";
    select.parameters.emplace_back(Anywhere(folded));
  }
  return select;
}

}  // namespace cbo::qt_sql
