#include "list/table/filtered_rows.hpp"

#include <algorithm>
#include <bit>

#include "list/table/table_error.hpp"

namespace cbo {

FilteredRows::FilteredRows(RecordsetRef table, FilterMatch how, std::vector<int32_t> fields)
    : table_(std::move(table)), how_(how), fields_(std::move(fields)), filter_("", how) {
  Reset();
}

void FilteredRows::SetText(std::string_view text) {
  FilterText next(text, how_);
  // A text that holds the present one (that begins with it, for word starts)
  // matches only rows the present one matches: when those were all found in
  // the table as it is, and are few (reading many one by one costs more
  // than reading every row as one run), only they are read again.
  const std::string& now = filter_.Folded();
  const bool narrows =
      !now.empty() && scanned_ >= rows_ && found_ <= rows_ / 16 && table_->State() == 1 &&
      table_->Revision() == revision_ &&
      (how_ == FilterMatch::Contains ? next.Folded().find(now) != std::string::npos : next.Folded().rfind(now, 0) == 0);
  std::vector<uint64_t> found = std::move(bits_);
  text_ = text;
  filter_ = std::move(next);
  Reset();
  if (narrows) within_ = std::move(found);
}

bool FilteredRows::Scan(int64_t rows) {
  Follow();
  Read(rows);
  return scanned_ < rows_;
}

void FilteredRows::ScanUntil(int32_t found, int32_t through, int64_t most) {
  Follow();
  ReadUntil(found, through, most);
}

void FilteredRows::Follow() const {
  if (table_->State() == 1 && table_->Revision() == revision_) return;
  const int32_t found = found_;
  Reset();
  ReadUntil(found, -1, INT64_MAX);
}

void FilteredRows::Reset() const {
  revision_ = table_->Revision();
  rows_ = table_->State() == 1 ? table_->RecordCount() : 0;
  scanned_ = 0;
  found_ = 0;
  bits_.assign((static_cast<size_t>(rows_) + 63) / 64, 0);
  before_.assign(bits_.size(), 0);
  within_.clear();
}

void FilteredRows::Read(int64_t rows) const {
  if (scanned_ >= rows_) return;
  if (scanned_ == 0 && !filter_.Empty() && ReadIndexed()) return;
  // No filter text matches every row, which the table marks without reading
  // one: all of them at once, so that End reaches the last row.
  if (filter_.Empty() && within_.empty()) rows = rows_;
  const int32_t from = scanned_;
  const auto to = static_cast<int32_t>(std::min<int64_t>(rows_, from + std::max<int64_t>(rows, 1)));
  found_ += static_cast<int32_t>(
      table_->MarkFilterMatches(filter_, fields_, from, to, bits_, within_.empty() ? nullptr : &within_));
  // The count before each word that begins in [from, to): the words are read
  // in order, so it is the count before the word ahead plus that word's own.
  for (size_t w = std::max<size_t>(1, (static_cast<size_t>(from) + 63) / 64); w <= (static_cast<size_t>(to) - 1) / 64;
       ++w)
    before_[w] = before_[w - 1] + std::popcount(bits_[w - 1]);
  scanned_ = to;
}

bool FilteredRows::ReadIndexed() const {
  const std::optional<std::vector<int32_t>> matches = table_->IndexedFilterMatches(filter_, fields_, kIndexedMost);
  if (!matches) return false;
  for (int32_t p : *matches) {
    if (p < 0 || p >= rows_)
      table::Fail("the filter's text index gave position " + std::to_string(p) + " of a table of " +
                  std::to_string(rows_) + " rows");
    bits_[static_cast<size_t>(p) / 64] |= uint64_t{1} << (p % 64);
  }
  for (size_t w = 1; w < before_.size(); ++w) before_[w] = before_[w - 1] + std::popcount(bits_[w - 1]);
  found_ = static_cast<int32_t>(matches->size());
  scanned_ = rows_;
  return true;
}

void FilteredRows::ReadUntil(int32_t found, int32_t through, int64_t most) const {
  // A stretch that grows as the matches turn out to be rare.
  int64_t stretch = 256;
  const int64_t start = scanned_;
  while (scanned_ < rows_ && (scanned_ <= through || (found_ < found && scanned_ - start < most))) {
    // Through the position asked for, and no further than `most` beyond it.
    const int64_t left = std::max<int64_t>(1, most - (scanned_ - start));
    Read(scanned_ <= through ? std::max<int64_t>(stretch, through + 1 - scanned_) : std::min(stretch, left));
    stretch = std::min<int64_t>(stretch * 2, 1 << 20);
  }
}

int32_t FilteredRows::PositionOf(int32_t shown) const {
  Follow();
  if (shown < 0 || shown >= found_)
    table::Fail("the filtered rows have no row " + std::to_string(shown) + " (they have " + std::to_string(found_) +
                ")");
  // The word holding it: the last word reached with at most `shown` matches
  // before it.
  const size_t reached = scanned_ == 0 ? 0 : (static_cast<size_t>(scanned_) - 1) / 64 + 1;
  const auto end = before_.begin() + static_cast<std::ptrdiff_t>(reached);
  const size_t w = static_cast<size_t>(std::upper_bound(before_.begin(), end, shown) - before_.begin()) - 1;
  uint64_t word = bits_[w];
  for (int32_t k = shown - before_[w]; k > 0; --k) word &= word - 1;  // drops the lower matches
  return static_cast<int32_t>(w * 64 + static_cast<size_t>(std::countr_zero(word)));
}

int32_t FilteredRows::ShownIndexOf(int32_t position) const {
  Follow();
  if (position < 0 || position >= scanned_) return -1;
  const auto p = static_cast<size_t>(position);
  const uint64_t word = bits_[p / 64];
  if (((word >> (p % 64)) & 1) == 0) return -1;
  return before_[p / 64] + std::popcount(word & ((uint64_t{1} << (p % 64)) - 1));
}

size_t FilteredRows::ExtraBytes() const {
  return (bits_.capacity() + within_.capacity()) * sizeof(uint64_t) + before_.capacity() * sizeof(int32_t) +
         table_->FilterBytes();
}

int32_t FilteredRows::Position() const { return ShownIndexOf(table_->Position()); }

void FilteredRows::MoveTo(int32_t shown) { table_->MoveTo(PositionOf(shown)); }

Variant FilteredRows::ValueAt(int32_t shown, int32_t field) const { return table_->ValueAt(PositionOf(shown), field); }

bool FilteredRows::RowReady(int32_t shown) const {
  return shown < 0 || shown >= Found() || table_->RowReady(PositionOf(shown));
}

void FilteredRows::ReadAhead(std::span<const int32_t> shown) {
  std::vector<int32_t> positions;
  for (int32_t s : shown)
    if (s >= 0 && s < Found()) positions.push_back(PositionOf(s));
  table_->ReadAhead(positions);
}

std::vector<TextRun> FilteredRows::Highlights(int32_t shown, int32_t field) const {
  if (filter_.Empty() || std::find(fields_.begin(), fields_.end(), field) == fields_.end()) return {};
  const Variant value = ValueAt(shown, field);
  if (value.type() != VarType::String) return {};
  return filter_.Runs(value.AsString());
}

}  // namespace cbo
