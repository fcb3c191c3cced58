#pragma once
// The rows of a table that match the drop-down's filter, in the table's
// present order, as a data source a grid shows: row i is the i-th matching
// row found, the current row is the table's own (moving one moves the
// other), and the characters that matched are the cells' highlights.
//
// A text few rows hold is found at once when the table keeps a text index
// of the filter (Recordset::IndexedFilterMatches). Otherwise the rows are
// found a stretch at a time (Scan), so that a large table is
// read in slices between the user's keys: what has been found is a true
// prefix of the final rows, and RecordCount grows until Complete. A new
// filter text starts the reading anew; so does a change of the table's rows
// or order (rows appended or removed, a sort), noticed by every call, which
// then reads again as many rows as had been found: the rows shown are always
// rows of the table as it is. The object stays the same, so a grid stays
// bound to it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list/table/filter_match.hpp"
#include "list/table/recordset.hpp"

namespace cbo {

class FilteredRows final : public DataSource {
public:
  // The filter over the fields (by number) of an open table, with an empty
  // text: every row matches.
  FilteredRows(RecordsetRef table, FilterMatch how, std::vector<int32_t> fields);

  // A new filter text; nothing is read yet.
  void SetText(std::string_view text);

  // Reads up to `rows` more rows of the present order; returns whether rows
  // remain to be read.
  bool Scan(int64_t rows);
  // Reads until at least `found` rows were found and the position `through`
  // was read, or `most` rows were read (the position `through` is read in
  // any case), or the table ends.
  void ScanUntil(int32_t found, int32_t through, int64_t most);
  bool Complete() const {
    Follow();
    return scanned_ >= rows_;
  }
  int32_t Found() const {
    Follow();
    return found_;
  }
  int32_t TableRows() const {
    Follow();
    return rows_;
  }

  // The place in the present order of found row `shown`, and back (-1 for a
  // position that does not match or has not been read yet).
  int32_t PositionOf(int32_t shown) const;
  int32_t ShownIndexOf(int32_t position) const;

  const std::string& Text() const { return text_; }
  // The memory the filter keeps beyond the table's rows: what this reading
  // holds and what the table keeps for the filter (Recordset::FilterBytes).
  size_t ExtraBytes() const;
  const RecordsetRef& Table() const { return table_; }

  // DataSource: the found rows.
  int32_t State() const override { return table_->State(); }
  int32_t RecordCount() const override { return Found(); }
  int32_t FieldCount() const override { return table_->FieldCount(); }
  const std::string& FieldName(int32_t index) const override { return table_->FieldName(index); }
  int32_t FieldNumber(const std::string& name) const override { return table_->FieldNumber(name); }
  int32_t Position() const override;
  void MoveTo(int32_t shown) override;
  Variant ValueAt(int32_t shown, int32_t field) const override;
  std::vector<TextRun> Highlights(int32_t shown, int32_t field) const override;
  // The found rows' reads are the table's.
  bool RowReady(int32_t shown) const override;
  void ReadAhead(std::span<const int32_t> shown) override;
  bool RowsPending() const override { return table_->RowsPending(); }
  void SetRowsRead(std::function<void(const Error* failure)> handler) override {
    table_->SetRowsRead(std::move(handler));
  }
  int Subscribe(std::function<void()> handler) override { return table_->Subscribe(std::move(handler)); }
  void Unsubscribe(int id) override { table_->Unsubscribe(id); }

private:
  // What was read is of the table as it is now: after a change, the reading
  // starts again and goes as far as before.
  void Follow() const;
  void Reset() const;
  void Read(int64_t rows) const;
  // Every match at once, when the table's text index finds them and they
  // are few; false when it cannot, and the rows are read in stretches.
  bool ReadIndexed() const;
  static constexpr int32_t kIndexedMost = 256;
  void ReadUntil(int32_t found, int32_t through, int64_t most) const;

  RecordsetRef table_;
  FilterMatch how_;
  std::vector<int32_t> fields_;
  std::string text_;
  FilterText filter_;
  // The reading, kept up to date by Follow also from the readers' calls.
  mutable uint64_t revision_ = 0;
  mutable int32_t rows_ = 0;
  mutable int32_t scanned_ = 0;  // positions [0, scanned_) are read
  mutable int32_t found_ = 0;
  // Bit p % 64 of bits_[p / 64]: position p matches; before_[w]: how many
  // matches lie before word w (known for every word reading has reached).
  mutable std::vector<uint64_t> bits_;
  mutable std::vector<int32_t> before_;
  // The rows the previous text matched, when the present text can match no
  // others (it holds the previous one); empty otherwise.
  mutable std::vector<uint64_t> within_;
};

}  // namespace cbo
