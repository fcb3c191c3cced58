#pragma once
// The SQL of a live table's queries: its present order, the rows on one side
// of a row in that order, and the rows a criterion matches. Every value is a
// bound parameter; only quoted identifiers and the database's folding
// expression are written into the text.
#include <cstdint>
#include <string>
#include <vector>

#include "list/table/criteria.hpp"
#include "list/table/live_database.hpp"

namespace cbo::table {

// A condition or clause with the parameters its ? stand for, in order.
using SqlPart = LiveSelect;

// The present order of a live table: the sort fields, the latest first, each
// by its folded text with Null first, then the key.
struct LiveOrder {
  std::vector<std::string> terms;  // the folded SQL of each sort field
  std::vector<size_t> fields;      // the place of each in a row read
  std::string key;                 // the quoted key column
  size_t keyField = 0;             // the key's place in a row read
};

// ORDER BY ... in that order, or in the reverse one.
std::string OrderBy(const LiveOrder& order, bool reversed);
// ORDER BY the terms from `first` on, then the key (the order of rows
// equal in the terms before).
std::string OrderFrom(const LiveOrder& order, size_t first);

// Both below split "before" and "after" a row in that order into stretches
// that an index on (term, key) reads as one range each: rows equal in the
// first terms and beyond the row in the next one, and so on down to the key.

// The number of rows before the row read as `row`, counted in the table
// (`from` is " FROM <table>"); from the second term on, only the rows equal
// to it in the first term (those below it were counted otherwise).
SqlPart CountBefore(const LiveOrder& order, const LiveRow& row, const std::string& from, bool fromSecondTerm = false);

// The first row at or after `row` in that order that meets `condition`,
// its `columns` read (a select list) `from` the table; the row read has one
// value more at its end, the stretch it was found in.
SqlPart FirstFrom(const LiveOrder& order, const LiveRow& row, const std::string& columns, const std::string& from,
                  const SqlPart& condition);

// The rows the criterion matches in a field: `folded` is the field's folded
// SQL (for the key field, that of its decimal text); for the key field, `key`
// is the quoted key column too, which equality compares as a number. Nothing
// (an empty SQL) when no row can match: equality with a text that no whole
// number is written as.
SqlPart Matching(const Criterion& criterion, const std::string& folded, const std::string& key);

// The count a query gave as its one value: a list holds at most
// 2,147,483,647 rows.
int32_t CountRead(const std::vector<LiveRow>& rows);

// The key's value read back as a number.
int64_t KeyOf(const LiveRow& row, size_t keyField);

}  // namespace cbo::table
