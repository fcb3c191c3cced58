#pragma once
// The in-memory table behind a filled list: a recordset of text fields,
// opened from a schema command, with one current row and a present order.
//
// Schema command:  SHAPE APPEND New adVarChar(N) As Name, New adVarChar(N) As Name ...
//   Keywords ignore letter case; a field name is a run of characters other than
//   blanks, commas, parentheses, brackets and quotes, and no two fields may
//   share a name (letter case ignored). Anything else is a Table error that
//   quotes the offending text.
// Criteria, letter case and the notification: recordset.hpp.
// Values: every field holds text of at most its declared number of characters,
//   or Null. Numbers, truth values and dates are stored as their text; Empty
//   as "". A longer text, a missing argument or a font object is refused with
//   a Table error naming the field; nothing is truncated.
// Speed: a Find reads a field's rows at most once, and none once the field's
//   search index is ready (see BuildIndexes); a field of ascending whole
//   numbers (the hidden row index) needs no index.
#include "list/table/recordset.hpp"

namespace cbo {

class MemoryRecordset final : public Recordset {
public:
  MemoryRecordset();
  ~MemoryRecordset() override;
  MemoryRecordset(const MemoryRecordset&) = delete;
  MemoryRecordset& operator=(const MemoryRecordset&) = delete;

  // Opens an empty table from the schema command. Table error when the command
  // is malformed or the table is already open.
  void Open(const std::string& command);
  int32_t State() const override;  // 1 while open, 0 otherwise

  int32_t RecordCount() const override;
  int32_t FieldCount() const override;
  const std::string& FieldName(int32_t index) const override;
  int32_t FieldIndex(const std::string& name) const override;
  // Letter case ignored; -1 when there is none.
  int32_t FieldNumber(const std::string& name) const override;
  bool ReadOnly() const override { return false; }

  // AddNew starts a pending row, field writes fill it, Update appends it as the
  // current row; CancelUpdate drops it. A pending row is not part of the table.
  void AddNew();
  void SetField(const std::string& name, const Variant& value);
  void SetField(int32_t index, const Variant& value);
  void Update();
  void CancelUpdate();
  bool EditPending() const;

  // Values are checked and converted as SetField does.
  void AppendRow(std::span<const Variant* const> values) override;
  int64_t AppendRows(const RowWriter& next) override;

  Variant Field(const std::string& name) const override;
  Variant Field(int32_t index) const override;

  void MoveFirst() override;
  void MoveToEof() override;
  void Find(const std::string& criteria, int32_t skip = 0) override;
  bool Eof() const override;

  void Delete() override;
  void Sort(const std::string& field) override;

  // Search indexes. A Find that has to read a field's rows (no index ready)
  // asks for the field's index; the index is made in slices of bounded work,
  // a small one after each such Find and the rest here, so that no call pauses
  // for long. A step is about one row of one index handled once: 100,000
  // take a few milliseconds. False on a closed table. An index made before
  // later rows were appended is made anew once they are many. A table of a
  // few thousand rows needs none, and gets none.
  bool BuildIndexes(int64_t steps) override;
  bool IndexesPending() const override;
  void PrepareIndex(const std::string& field) override;

  // The present order, for the data grid. Position -1 means EOF.
  int32_t Position() const override;
  void MoveTo(int32_t position) override;
  Variant ValueAt(int32_t position, int32_t field) const override;

  int64_t MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from, int32_t to,
                            std::vector<uint64_t>& bits, const std::vector<uint64_t>* within = nullptr) const override;
  size_t FilterBytes() const override;
  uint64_t Revision() const override;

  // These two work in any state, also on a table that is not open: a data
  // control unsubscribes from its destructor.
  int Subscribe(std::function<void()> handler) override;
  void Unsubscribe(int id) override;

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace cbo
