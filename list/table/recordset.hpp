#pragma once
// The table behind every list: a recordset of text fields with one current
// row and a present order. Two kinds keep its contract: the in-memory table
// the list fills (memory_recordset.hpp) and a live table whose rows stay in a
// database (live_recordset.hpp). The rules below hold for both.
//
// Criteria:  Field = 'value'   or   Field like 'prefix*'
//   Inside the quotes a doubled quote stands for one quote. The only wildcard
//   is a trailing * of a like pattern; every other character is literal.
// Letter case: field names, equality, like and Sort ignore letter case by
//   Unicode simple case folding ("È" equals "è") and are otherwise exact: no
//   normalisation, no collation. Sort is stable and ascending by the folded
//   code points; Null values sort first and never match a criterion.
// Values: a field's value is text or Null.
// Row-moved notification: after every repositioning of the current row
//   (MoveFirst, Find, MoveTo, MoveToEof, a new row stored as current), also
//   when a find lands on the row already current or at the end, every
//   subscriber is called synchronously. Subscribers may use the table from
//   inside the call.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data_source.hpp"
#include "platform/variant.hpp"

namespace cbo {

class FilterText;

class Recordset : public DataSource {
public:
  ~Recordset() override = default;

  // The operations below raise a Table error on a table that is not open.
  // Letter case ignored; Table error naming the field when there is none.
  virtual int32_t FieldIndex(const std::string& name) const = 0;

  // A table whose rows are read from elsewhere (a database) refuses every
  // change of its rows; the list refuses them before it asks.
  virtual bool ReadOnly() const = 0;

  // Appends one row: one value per field in field order, all or none of them
  // stored, with no notification: the current row stays where it was.
  virtual void AppendRow(std::span<const Variant* const> values) = 0;

  // Appends many rows at once, all or nothing, without a notification per
  // row. Each call of `next` writes one value per field, in field order (no
  // value for Null), and says whether it wrote a row, the rows have ended, or
  // the rows are given up. A value the field cannot hold (its error names the
  // row of this call and the field), a failure of `next`, or giving up leave
  // the table as it was. The current row stays where it was. Returns the
  // number of rows appended.
  enum class RowStep { Row, End, GiveUp };
  using RowWriter = std::function<RowStep(std::vector<std::optional<std::string_view>>& values)>;
  virtual int64_t AppendRows(const RowWriter& next) = 0;

  // The current row's value (a String or Null). Table error when there is no
  // current row or no such field.
  virtual Variant Field(const std::string& name) const = 0;
  virtual Variant Field(int32_t index) const = 0;

  virtual void MoveFirst() = 0;
  // Leaves no current row (EOF), as a find that matches nothing does.
  virtual void MoveToEof() = 0;
  // Forward from the current row (skip rows first); the first matching row
  // becomes current, or EOF when none matches. From EOF it stays at EOF.
  virtual void Find(const std::string& criteria, int32_t skip = 0) = 0;
  virtual bool Eof() const = 0;  // EOF: no current row

  // Removes the current row; afterwards there is no current row.
  virtual void Delete() = 0;
  // Orders the rows by one field; the current row stays current.
  virtual void Sort(const std::string& field) = 0;

  // Work a table may do in idle time so that later finds are quicker
  // (search indexes); results never depend on it. BuildIndexes goes on for
  // about `steps` steps and returns whether work remains; PrepareIndex asks
  // for the field's means of search before any Find needs it. Table error for
  // an unknown field.
  virtual bool BuildIndexes(int64_t steps) = 0;
  virtual bool IndexesPending() const = 0;
  virtual void PrepareIndex(const std::string& field) = 0;

  // The drop-down's filter (filter_scan.hpp): sets bit p % 64 of
  // bits[p / 64] for each position p of [from, to) whose row matches the
  // filter in one of the fields (by number), and returns how many it set.
  // With `within`, only the positions whose bit is set there are read. Table
  // error for a field number the table does not have.
  virtual int64_t MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from, int32_t to,
                                    std::vector<uint64_t>& bits,
                                    const std::vector<uint64_t>* within = nullptr) const = 0;
  // The positions, ascending, of every row that matches the filter in one of
  // the fields, when a text index finds them at once and they are no more
  // than `most`; nothing when the table cannot answer so (it keeps no such
  // index, the text is too short for it, the rows are more), and the filter
  // then reads the rows a stretch at a time.
  virtual std::optional<std::vector<int32_t>> IndexedFilterMatches(const FilterText& /*filter*/,
                                                                   std::span<const int32_t> /*fields*/,
                                                                   int32_t /*most*/) const {
    return std::nullopt;
  }
  // The bytes the table keeps for the filter's reading of its rows.
  virtual size_t FilterBytes() const = 0;
  // Grows with every change of the rows or of their order (rows appended or
  // removed, a sort, an opening): what was read of the present order at one
  // revision holds until the next.
  virtual uint64_t Revision() const = 0;
};

using RecordsetRef = std::shared_ptr<Recordset>;

// The text as the table compares it: Unicode simple case folding.
std::string FoldCase(const std::string& text);

}  // namespace cbo
