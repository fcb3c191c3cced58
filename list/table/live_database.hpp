#pragma once
// What a live table asks of the database its rows stay in: one statement at a
// time with bound parameters, read whole (every statement the live table
// sends is bounded: by LIMIT, by a key range or by counting), and the SQL
// of a column's text as the table compares it.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace cbo {

// One value read: Null or its text (numbers as the list shows them).
using LiveValue = std::optional<std::string>;
using LiveRow = std::vector<LiveValue>;
// A bound parameter (? in the statement's text): a whole number or a text.
using LiveParameter = std::variant<int64_t, std::string>;

// A statement, or a part of one, and the values bound to its ?s, in order.
struct LiveSelect {
  std::string sql;
  std::vector<LiveParameter> parameters;
};

class LiveDatabase {
public:
  virtual ~LiveDatabase() = default;

  // Runs one statement and returns its rows. A failure, a time-out
  // included, is a Database error carrying the database's own message.
  virtual std::vector<LiveRow> Query(const std::string& sql, std::span<const LiveParameter> parameters) = 0;

  // The SQL of the column's text in the form the table compares and sorts
  // it by (Unicode simple case folding, compared by code points); the
  // column is given quoted, or as an expression of it (the key's text:
  // CAST("key" AS TEXT)). Values it is compared with are bound already
  // folded (FoldCase).
  virtual std::string Folded(const std::string& column) const = 0;

  // The SQL of "the column's text matches the drop-down's filter" (1 or 0,
  // Null for Null), with one ? for the filter text in filter form
  // (FilterText::Folded), matched anywhere or at a word's start; "" when the
  // database cannot say, and the rows are then read and matched here.
  virtual std::string FilterMatches(const std::string& /*column*/, bool /*wordStart*/) const { return {}; }

  // Where the database keeps a text index of the filter over all of
  // `columns` (the table's column names), a select of the keys of the rows
  // whose text may hold `folded` (a filter text in filter form): every row
  // that matches is among them, and a few that do not may be. Nothing when
  // it keeps none, or cannot look this text up in it.
  virtual std::optional<LiveSelect> FilterIndexKeys(std::span<const std::string> /*columns*/,
                                                    const std::string& /*folded*/) const {
    return std::nullopt;
  }

  // The longest a statement may run before it is stopped, in milliseconds.
  virtual void SetTimeLimit(int32_t milliseconds) = 0;
  virtual int32_t TimeLimit() const = 0;
};

// An identifier in double quotes, each double quote in it doubled: a table
// or column name reaches SQL only this way.
std::string QuoteIdentifier(const std::string& name);

}  // namespace cbo
