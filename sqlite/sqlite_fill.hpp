#pragma once
// Fills a control from a SQLite database: one query with bound parameters,
// read to its end, then every row appended to the list in one bulk fill
// (CboVarno::AddRows, whose rules say how columns are made or matched).
//
// Values: NULL stays Null; integers and reals become their text as the table
// stores numbers ("42", "-7", "0.1", "1e+20"); text is taken as it is (UTF-8);
// a blob is refused (TypeMismatch, naming the row and the column). A database
// that cannot be opened or a query that fails is a Database error carrying
// SQLite's own message.
//
// Parameters are bound in order to the query's parameters (?, ?NNN, :name,
// @name, $name, by their position): Null as NULL, True and False as 1 and 0
// (SQLite's own truth values), whole numbers as integers, Single and Double as
// reals, a date as its text "YYYY-MM-DD", anything else as its text. The query
// must take exactly as many parameters as are given.
#include <optional>
#include <span>
#include <string>

#include "fill/row_buffer.hpp"
#include "list/row_source.hpp"
#include "platform/variant.hpp"

struct sqlite3;

namespace cbo {

class CboVarno;

// Opens the database file read-only (it is never created or changed), reads
// the rows of `query`, closes the file and fills the control. `progress` is
// told the number of rows read, once before the first and then at most every
// 50 ms, and can cancel the fill by returning false; the list is then as it
// was and the result is false.
bool FillFromSqlite(CboVarno& control, const std::string& file, const std::string& query,
                    std::span<const Variant> parameters = {}, const FillProgress& progress = {});

// The same on a connection the host keeps open (and still owns afterwards).
bool FillFromSqlite(CboVarno& control, sqlite3* database, const std::string& query,
                    std::span<const Variant> parameters = {}, const FillProgress& progress = {});

// The first step alone: every row of `query` read into a buffer that
// FillFromBuffer (fill/buffered_fill.hpp) then appends; nothing when
// `progress` cancelled. The control is not touched, so a host may read on a
// worker thread with a connection of its own and fill on its own thread.
std::optional<RowBuffer> ReadSqlite(sqlite3* database, const std::string& query,
                                    std::span<const Variant> parameters = {}, const FillProgress& progress = {});

}  // namespace cbo
