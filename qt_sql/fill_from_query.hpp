#pragma once
// Fills a control from a Qt SQL query on any driver: the query read to its
// end, then every row appended to the list in one bulk fill
// (CboVarno::AddRows, whose rules say how columns are made or matched).
//
// Values: NULL stays Null; integers and reals become their text as the table
// stores numbers ("42", "0.1"); a truth value "True" or "False"; a date, or
// the date of a date and time, "YYYY-MM-DD" as the table stores dates; text as
// it is; other types as Qt writes them as text (a time "14:30:00"). Binary
// data (a blob, PostgreSQL's bytea) is refused (TypeMismatch, naming the row
// and the column). A query that fails is a Database error carrying the
// driver's message.
#include <QSqlQuery>
#include <optional>

#include "fill/row_buffer.hpp"
#include "list/row_source.hpp"

namespace cbo {

class CboVarno;

// A query that is not active (prepared, its values bound) is executed first,
// forward only; an active one is read from its current position to its end.
// `progress` is told the number of rows read, once before the first and then
// at most every 50 ms, and can cancel the fill by returning false; the list is
// then as it was and the result is false.
bool fillFromQuery(CboVarno& control, QSqlQuery& query, const FillProgress& progress = {});

// The first step alone: the rows of the query read into a buffer that
// FillFromBuffer (fill/buffered_fill.hpp) then appends; nothing when
// `progress` cancelled. The control is not touched.
std::optional<RowBuffer> readQuery(QSqlQuery& query, const FillProgress& progress = {});

}  // namespace cbo
