#pragma once
// The in-memory table behind every list: a recordset of text fields, opened
// from a schema command, with one current row and a present order.
//
// Schema command:  SHAPE APPEND New adVarChar(N) As Name, New adVarChar(N) As Name ...
//   Keywords ignore letter case; a field name is a run of characters other than
//   blanks, commas, parentheses, brackets and quotes, and no two fields may
//   share a name (letter case ignored). Anything else is a Table error that
//   quotes the offending text.
// Criteria:  Field = 'value'   or   Field like 'prefix*'
//   Inside the quotes a doubled quote stands for one quote. The only wildcard
//   is a trailing * of a like pattern; every other character is literal.
// Letter case: field names, equality, like and Sort ignore letter case by
//   Unicode simple case folding ("È" equals "è") and are otherwise exact: no
//   normalisation, no collation. Sort is stable and ascending by the folded
//   code points; Null values sort first and never match a criterion.
// Values: every field holds text of at most its declared number of characters,
//   or Null. Numbers, truth values and dates are stored as their text; Empty
//   as "". A longer text, a missing argument or a font object is refused with
//   a Table error naming the field; nothing is truncated.
// Speed: a Find reads a field's rows at most once, and none once the field's
//   search index is ready (see BuildIndexes); a field of ascending whole
//   numbers (the hidden row index) needs no index.
// Row-moved notification: after every repositioning of the current row
//   (MoveFirst, Find, MoveTo, Update of a new row), also when a find lands on
//   the row already current or at the end, every subscriber is called
//   synchronously. Subscribers may use the table from inside the call.
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

class Recordset final : public DataSource {
public:
  Recordset();
  ~Recordset() override;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // Opens an empty table from the schema command. Table error when the command
  // is malformed or the table is already open.
  void Open(const std::string& command);
  int32_t State() const override;  // 1 while open, 0 otherwise

  // The operations below raise a Table error on a table that is not open.
  int32_t RecordCount() const override;
  int32_t FieldCount() const override;
  const std::string& FieldName(int32_t index) const override;
  // Letter case ignored; Table error naming the field when there is none.
  int32_t FieldIndex(const std::string& name) const;
  // Letter case ignored; -1 when there is none.
  int32_t FieldNumber(const std::string& name) const override;

  // AddNew starts a pending row, field writes fill it, Update appends it as the
  // current row; CancelUpdate drops it. A pending row is not part of the table.
  void AddNew();
  void SetField(const std::string& name, const Variant& value);
  void SetField(int32_t index, const Variant& value);
  void Update();
  void CancelUpdate();
  bool EditPending() const;

  // Appends one row: one value per field in field order, each checked and
  // converted as SetField does, all or none of them stored. Unlike AddNew,
  // SetField and Update it keeps no pending row and sends no notification:
  // the current row stays where it was.
  void AppendRow(std::span<const Variant* const> values);

  // Appends many rows at once, all or nothing, without a notification per
  // row. Each call of `next` writes one value per field, in field order (no
  // value for Null), and says whether it wrote a row, the rows have ended, or
  // the rows are given up. A value the field cannot hold (its error names the
  // row of this call and the field), a failure of `next`, or giving up leave
  // the table as it was. The current row stays where it was. Returns the
  // number of rows appended.
  enum class RowStep { Row, End, GiveUp };
  using RowWriter = std::function<RowStep(std::vector<std::optional<std::string_view>>& values)>;
  int64_t AppendRows(const RowWriter& next);

  // The current row's value (a String or Null). Table error when there is no
  // current row or no such field.
  Variant Field(const std::string& name) const;
  Variant Field(int32_t index) const;

  void MoveFirst();
  // Leaves no current row (EOF), as a find that matches nothing does.
  void MoveToEof();
  // Forward from the current row (skip rows first); the first matching row
  // becomes current, or EOF when none matches.
  void Find(const std::string& criteria, int32_t skip = 0);
  bool Eof() const;  // EOF: no current row

  // Removes the current row; afterwards there is no current row.
  void Delete();
  // Orders the rows by one field; the current row stays current.
  void Sort(const std::string& field);

  // Search indexes. A Find that has to read a field's rows (no index ready)
  // asks for the field's index; the index is made in slices of bounded work,
  // a small one after each such Find and the rest here, so that no call pauses
  // for long. Results never depend on it: only the time a Find takes does.
  // BuildIndexes goes on for about `steps` steps (a step is about one row of
  // one index handled once: 100,000 take a few milliseconds) and returns
  // whether work remains; meant for idle time. False on a closed table.
  bool BuildIndexes(int64_t steps);
  bool IndexesPending() const;
  // Asks for the field's index before any Find needs it (the list's text
  // column, say), for BuildIndexes to make; an index made before later rows
  // were appended is made anew once they are many. A table of a few thousand
  // rows needs none, and gets none. Table error for an unknown field.
  void PrepareIndex(const std::string& field);

  // The present order, for the data grid. Position -1 means EOF.
  int32_t Position() const override;
  void MoveTo(int32_t position) override;
  Variant ValueAt(int32_t position, int32_t field) const override;

  // The drop-down's filter (filter_scan.hpp): sets bit p % 64 of
  // bits[p / 64] for each position p of [from, to) whose row matches the
  // filter in one of the fields (by number), and returns how many it set.
  // With `within`, only the positions whose bit is set there are read. Table
  // error for a field number the table does not have.
  int64_t MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from, int32_t to,
                            std::vector<uint64_t>& bits, const std::vector<uint64_t>* within = nullptr) const;
  // The bytes the table keeps for the filter's reading of its rows.
  size_t FilterBytes() const;
  // Grows with every change of the rows or of their order (rows appended or
  // removed, a sort, an opening): what was read of the present order at one
  // revision holds until the next.
  uint64_t Revision() const;

  // Row-moved subscribers. These two work in any state, also on a table that
  // is not open: a data control unsubscribes from its destructor.
  int Subscribe(std::function<void()> handler) override;
  void Unsubscribe(int id) override;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

using RecordsetRef = std::shared_ptr<Recordset>;

// The text as the table compares it: Unicode simple case folding.
std::string FoldCase(const std::string& text);

}  // namespace cbo
