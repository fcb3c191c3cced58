// The live table: positions in the present order answered by rank maps or
// by counting in the database, rows read a page at a time and kept for a
// while, finds and sorts as single queries.
#include "list/table/live_recordset.hpp"

#include <algorithm>

#include "list/table/criteria.hpp"
#include "list/table/filter_match.hpp"
#include "list/table/live_ranks.hpp"
#include "list/table/live_read.hpp"
#include "list/table/live_sql.hpp"
#include "list/table/table_error.hpp"
#include "platform/error.hpp"

namespace cbo {

using table::Fail;
using table::Quoted;

namespace {

// Rows read at once for the grid, and pages kept.
constexpr int32_t kPageRows = 128;
constexpr size_t kPagesKept = 48;

// Rank maps are made for tables of this many rows or more (whose fields the
// attach requires indexes for); shorter ones count their rows, which their
// indexes answer in a few milliseconds. A map keeps every 4,096th row, or
// 4,096 rows of a longer table: about a quarter of a megabyte a field.
constexpr int32_t kRowsRanked = 100'000;
constexpr int32_t kLeastRankSpacing = 4096;
constexpr int32_t kRowsKept = 4096;
// Idle-time steps a statement of a rank map stands for.
constexpr int64_t kStepsPerStatement = 100'000;

Variant ValueOf(const LiveValue& value) { return value ? Variant(*value) : Variant::Null(); }

}  // namespace

LiveRecordset::LiveRecordset(std::shared_ptr<LiveDatabase> database, LiveTableSpec spec)
    : database_(std::move(database)), spec_(std::move(spec)) {
  for (const std::string& field : spec_.fields) {
    names_.push_back(field);
    columns_.push_back(QuoteIdentifier(field));
  }
  names_.push_back(spec_.keyField);
  columns_.push_back(QuoteIdentifier(spec_.key));
  for (const std::string& name : names_) folded_.push_back(FoldCase(name));
  const std::string& key = columns_.back();
  // Three queries in one, each answered without reading the rows one by one
  // (asked together, SQLite would read them all).
  const std::vector<LiveRow> counted = database_->Query("SELECT (SELECT count(*)" + From() + "), (SELECT min(" + key +
                                                            ")" + From() + "), (SELECT max(" + key + ")" + From() + ")",
                                                        {});
  count_ = table::CountRead(counted);
  if (count_ > 0) {
    first_ = table::KeyOf(counted[0], 1);
    dense_ = table::KeyOf(counted[0], 2) - first_ == static_cast<int64_t>(count_) - 1;
  }
  if (count_ >= kRowsRanked) SetRankSpacing(std::max(kLeastRankSpacing, count_ / kRowsKept));
}

LiveRecordset::~LiveRecordset() {
  for (auto& [page, loading] : loading_) *loading.wanted = false;
}

const std::string& LiveRecordset::FieldName(int32_t index) const {
  if (index < 0 || index >= FieldCount())
    throw Error(ErrorKind::SubscriptOutOfRange, "FieldName: the table has no field number " + std::to_string(index) +
                                                    " (it has " + std::to_string(FieldCount()) + ")");
  return names_[static_cast<size_t>(index)];
}

int32_t LiveRecordset::FieldNumber(const std::string& name) const {
  const std::string folded = FoldCase(name);
  for (size_t i = 0; i < folded_.size(); ++i)
    if (folded_[i] == folded) return static_cast<int32_t>(i);
  return -1;
}

int32_t LiveRecordset::FieldNamed(const char* operation, const std::string& name) const {
  const int32_t index = FieldNumber(name);
  if (index < 0) Fail(std::string(operation) + ": the table has no field " + Quoted(name));
  return index;
}

int32_t LiveRecordset::FieldIndex(const std::string& name) const { return FieldNamed("FieldIndex", name); }

void LiveRecordset::RequireField(const char* operation, int32_t index) const {
  if (index < 0 || index >= FieldCount())
    Fail(std::string(operation) + ": the table has no field number " + std::to_string(index) + " (it has " +
         std::to_string(FieldCount()) + ")");
}

void LiveRecordset::RequirePosition(const char* operation, int32_t position) const {
  if (position < 0 || position >= count_)
    Fail(std::string(operation) + ": position " + std::to_string(position) + " is outside the table's " +
         std::to_string(count_) + " rows");
}

void LiveRecordset::Refused(const char* operation) const {
  throw Error(ErrorKind::Database, std::string(operation) + ": the list is read from the database (table " +
                                       Quoted(spec_.table) + ") and cannot be changed");
}

void LiveRecordset::AppendRow(std::span<const Variant* const>) { Refused("AppendRow"); }
int64_t LiveRecordset::AppendRows(const RowWriter&) { Refused("AppendRows"); }
void LiveRecordset::Delete() { Refused("Delete"); }

Variant LiveRecordset::Field(const std::string& name) const {
  const int32_t index = FieldNamed("Field", name);
  if (current_ < 0) Fail("field " + Quoted(name) + ": there is no current row (EOF)");
  return ValueOf(currentRow_[static_cast<size_t>(index)]);
}

Variant LiveRecordset::Field(int32_t index) const {
  RequireField("Field", index);
  if (current_ < 0) Fail("Field: there is no current row (EOF)");
  return ValueOf(currentRow_[static_cast<size_t>(index)]);
}

// --- Rank maps --------------------------------------------------------------

void LiveRecordset::SetRankSpacing(int32_t rows) {
  if (rows < 1) Fail("SetRankSpacing: " + std::to_string(rows) + " rows between kept rows is not a spacing");
  ranks_.clear();
  keyRanks_.reset();
  ranksFailed_ = false;
  if (count_ <= 2 * int64_t{rows}) return;
  const std::string& key = columns_.back();
  // The key field sorts by its text, which has no index: it is counted.
  for (int32_t field = 0; field < FieldCount() - 1; ++field)
    ranks_.push_back(std::make_shared<table::LiveRanks>(Term(field), key, From(), rows));
  ranks_.emplace_back();
  if (!dense_) keyRanks_ = std::make_shared<table::LiveRanks>(std::string(), key, From(), rows);
}

table::LiveRanks* LiveRecordset::RanksToMake() const {
  auto open = [](const std::shared_ptr<table::LiveRanks>& ranks) { return ranks && !ranks->Complete(); };
  if (ranks_.empty() || ranksFailed_) return nullptr;
  const std::shared_ptr<table::LiveRanks>& present =
      order_.empty() ? keyRanks_ : ranks_[static_cast<size_t>(order_[0])];
  if (open(present)) return present.get();
  if (preferred_ >= 0 && open(ranks_[static_cast<size_t>(preferred_)]))
    return ranks_[static_cast<size_t>(preferred_)].get();
  for (const auto& ranks : ranks_)
    if (open(ranks)) return ranks.get();
  return open(keyRanks_) ? keyRanks_.get() : nullptr;
}

bool LiveRecordset::BuildIndexes(int64_t steps) {
  const int64_t statements = std::max<int64_t>(1, steps / kStepsPerStatement);
  try {
    for (int64_t i = 0; i < statements; ++i) {
      table::LiveRanks* ranks = RanksToMake();
      if (!ranks) return false;
      ranks->Step(*database_);
    }
  } catch (const Error&) {
    // Idle time has no one to tell; the maps made so far stay true.
    ranksFailed_ = true;
  }
  return IndexesPending();
}

bool LiveRecordset::IndexesPending() const { return RanksToMake() != nullptr; }

void LiveRecordset::PrepareIndex(const std::string& field) { preferred_ = FieldNamed("PrepareIndex", field); }

size_t LiveRecordset::RankBytes() const {
  size_t bytes = keyRanks_ ? keyRanks_->Bytes() : 0;
  for (const auto& ranks : ranks_)
    if (ranks) bytes += ranks->Bytes();
  return bytes;
}

std::shared_ptr<table::LiveRanks> LiveRecordset::RanksReading(int32_t from, int32_t fromEnd) const {
  if (ranks_.empty()) return nullptr;
  std::shared_ptr<table::LiveRanks> ranks = order_.empty() ? keyRanks_ : ranks_[static_cast<size_t>(order_[0])];
  if (!ranks) return nullptr;
  const std::optional<int32_t> passed = ranks->PassedBefore(from);
  return passed && *passed < std::min(from, fromEnd) ? ranks : nullptr;  // else the ends are nearer
}

std::optional<int32_t> LiveRecordset::RankedBefore(const LiveRow& row) const {
  if (order_.empty() || ranks_.empty() || !ranks_[static_cast<size_t>(order_[0])]) return std::nullopt;
  const LiveValue& value = row[static_cast<size_t>(order_[0])];
  if (!value) return std::nullopt;  // the Nulls' stretch is counted
  return ranks_[static_cast<size_t>(order_[0])]->Below(*database_, FoldCase(*value));
}

// --- Reading rows ---------------------------------------------------------

table::LiveOrder LiveRecordset::Order() const {
  table::LiveOrder order;
  for (int32_t field : order_) {
    order.terms.push_back(Term(field));
    order.fields.push_back(static_cast<size_t>(field));
  }
  order.key = columns_.back();
  order.keyField = columns_.size() - 1;
  return order;
}

std::string LiveRecordset::Term(int32_t field) const {
  // The key sorts and matches as its decimal text, as the in-memory table's
  // row index does: compared as the database compares folded text (by code
  // points), which a plain text of its own might not be (a collation).
  if (field == FieldCount() - 1) return database_->Folded("CAST(" + columns_.back() + " AS TEXT)");
  return database_->Folded(columns_[static_cast<size_t>(field)]);
}

std::string LiveRecordset::Columns() const {
  std::string list;
  for (size_t i = 0; i < columns_.size(); ++i) list += (i ? ", " : "") + columns_[i];
  return list;
}

std::string LiveRecordset::From() const { return " FROM " + QuoteIdentifier(spec_.table); }

std::string LiveRecordset::Select() const { return "SELECT " + Columns() + From(); }

table::LiveRead LiveRecordset::Reading(int32_t from, int32_t rows, const std::string& values,
                                       const std::vector<LiveParameter>& parameters) const {
  table::LiveRead read;
  read.from = from;
  read.rows = std::min(rows, count_ - from);
  read.select = "SELECT " + (values.empty() ? Columns() : values) + From();
  read.parameters = parameters;
  read.width = values.empty() ? columns_.size() : 1;
  read.order = Order();
  read.sorted = !order_.empty();
  read.dense = dense_;
  read.first = first_;
  read.count = count_;
  if (read.sorted || !dense_) read.ranks = RanksReading(from, count_ - (from + read.rows));
  read.table = spec_.table;
  return read;
}

std::vector<LiveRow> LiveRecordset::ReadRows(int32_t from, int32_t rows, const std::string& values,
                                             const std::vector<LiveParameter>& parameters) const {
  return Reading(from, rows, values, parameters).Rows(*database_);
}

const LiveRow& LiveRecordset::RowAt(int32_t position) const {
  const int32_t page = position / kPageRows;
  auto found = pageAt_.find(page);
  if (found != pageAt_.end()) {
    pages_.splice(pages_.begin(), pages_, found->second);
  } else {
    KeepPage(page, ReadRows(page * kPageRows, kPageRows));
  }
  return pages_.front().second[static_cast<size_t>(position % kPageRows)];
}

void LiveRecordset::KeepPage(int32_t page, std::vector<LiveRow> rows) const {
  pages_.emplace_front(page, std::move(rows));
  pageAt_[page] = pages_.begin();
  if (pages_.size() > kPagesKept) {
    pageAt_.erase(pages_.back().first);
    pages_.pop_back();
  }
}

void LiveRecordset::ForgetPages() {
  pages_.clear();
  pageAt_.clear();
  for (auto& [page, loading] : loading_) *loading.wanted = false;
  loading_.clear();
}

// --- Reading pages ahead ----------------------------------------------------

void LiveRecordset::SetPageLoader(std::unique_ptr<LivePageLoader> loader) {
  for (auto& [page, loading] : loading_) *loading.wanted = false;
  loading_.clear();
  loader_ = std::move(loader);
}

bool LiveRecordset::RowReady(int32_t position) const {
  return !loader_ || position < 0 || position >= count_ || pageAt_.contains(position / kPageRows);
}

void LiveRecordset::ReadAhead(std::span<const int32_t> positions) {
  if (!loader_) return;
  std::vector<int32_t> pages;
  for (int32_t position : positions)
    if (!RowReady(position)) pages.push_back(position / kPageRows);
  // The reads of pages the grid no longer shows are given up.
  for (auto it = loading_.begin(); it != loading_.end();) {
    if (std::find(pages.begin(), pages.end(), it->first) != pages.end()) {
      ++it;
      continue;
    }
    *it->second.wanted = false;
    it = loading_.erase(it);
  }
  for (int32_t page : pages)
    if (!loading_.contains(page)) LoadPage(page);
}

void LiveRecordset::LoadPage(int32_t page) {
  table::LiveRead read = Reading(page * kPageRows, kPageRows);
  // A rank map still being made changes meanwhile: the read takes a copy.
  if (read.ranks && !read.ranks->Complete()) read.ranks = std::make_shared<const table::LiveRanks>(*read.ranks);
  const uint64_t ticket = ++tickets_;
  auto wanted = std::make_shared<std::atomic<bool>>(true);
  loading_[page] = {ticket, wanted};
  const int32_t limit = database_->TimeLimit();
  loader_->Load(
      [read = std::move(read), limit](LiveDatabase& database) {
        database.SetTimeLimit(limit);
        return read.Rows(database);
      },
      wanted,
      [this, page, ticket](std::vector<LiveRow> rows, const Error* failure) {
        PageArrived(page, ticket, std::move(rows), failure);
      });
}

void LiveRecordset::PageArrived(int32_t page, uint64_t ticket, std::vector<LiveRow> rows, const Error* failure) {
  const auto it = loading_.find(page);
  if (it == loading_.end() || it->second.ticket != ticket) return;  // given up since
  loading_.erase(it);
  if (!failure && !pageAt_.contains(page)) KeepPage(page, std::move(rows));
  if (rowsRead_) rowsRead_(failure);
}

bool LiveRecordset::PlacesCheaply() const {
  // In a sorted order a row's place also counts the rows of its value
  // before it, as many as the value's run is long (a town among 16 is a
  // sixteenth of the table): too many to place a few hundred rows so.
  return order_.empty() && (dense_ || (keyRanks_ && keyRanks_->Complete()));
}

int32_t LiveRecordset::PositionOf(const LiveRow& row) const {
  const int64_t key = table::KeyOf(row, columns_.size() - 1);
  if (order_.empty() && dense_) return static_cast<int32_t>(key - first_);
  for (const auto& [page, rows] : pages_)
    for (size_t i = 0; i < rows.size(); ++i)
      if (table::KeyOf(rows[i], columns_.size() - 1) == key) return page * kPageRows + static_cast<int32_t>(i);
  if (order_.empty() && keyRanks_)
    if (const std::optional<int32_t> below = keyRanks_->Below(*database_, key)) return *below;
  // The rows below it in the first term by its rank map, and those equal in
  // it and before it in the rest counted; or every stretch counted.
  const std::optional<int32_t> ranked = RankedBefore(row);
  const table::SqlPart before = table::CountBefore(Order(), row, From(), ranked.has_value());
  return ranked.value_or(0) + table::CountRead(database_->Query(before.sql, before.parameters));
}

Variant LiveRecordset::ValueAt(int32_t position, int32_t field) const {
  RequirePosition("ValueAt", position);
  RequireField("ValueAt", field);
  return ValueOf(RowAt(position)[static_cast<size_t>(field)]);
}

// --- Moving ---------------------------------------------------------------

void LiveRecordset::MoveFirst() {
  if (count_ > 0) {
    currentRow_ = RowAt(0);
    current_ = 0;
  } else {
    current_ = -1;
  }
  subscribers_.Notify();
}

void LiveRecordset::MoveToEof() {
  current_ = -1;
  subscribers_.Notify();
}

void LiveRecordset::MoveTo(int32_t position) {
  RequirePosition("MoveTo", position);
  currentRow_ = RowAt(position);
  current_ = position;
  subscribers_.Notify();
}

void LiveRecordset::Find(const std::string& criteria, int32_t skip) {
  const table::Criterion criterion = table::ParseCriteria(criteria);
  const int32_t field = FieldNumber(criterion.field);
  if (field < 0) Fail("criteria " + Quoted(criteria) + ": the table has no field " + Quoted(criterion.field));
  if (skip < 0) Fail("Find " + Quoted(criteria) + ": cannot skip " + std::to_string(skip) + " rows");
  // Every query is made before the current row changes: a refused one leaves
  // the table where it was.
  const int64_t start = current_ < 0 ? count_ : int64_t{current_} + skip;
  std::optional<LiveRow> found;
  std::optional<int32_t> at;
  if (start < count_) {
    const bool isKey = field == FieldCount() - 1;
    const table::SqlPart match = table::Matching(criterion, Term(field), isKey ? columns_.back() : std::string());
    if (!match.sql.empty()) {
      const table::SqlPart first =
          table::FirstFrom(Order(), RowAt(static_cast<int32_t>(start)), Columns(), From(), match);
      std::vector<LiveRow> rows = database_->Query(first.sql, first.parameters);
      if (!rows.empty()) {
        rows[0].pop_back();  // the stretch it was found in
        at = PositionOf(rows[0]);
        found = std::move(rows[0]);
      }
    }
  }
  if (found) {
    currentRow_ = std::move(*found);
    current_ = *at;
  } else {
    current_ = -1;
  }
  subscribers_.Notify();
}

void LiveRecordset::Sort(const std::string& field) {
  const int32_t index = FieldNamed("Sort", field);
  std::vector<int32_t> order = order_;
  order.erase(std::remove(order.begin(), order.end(), index), order.end());
  order.insert(order.begin(), index);
  std::swap(order_, order);
  ForgetPages();
  try {
    if (current_ >= 0) {
      const int32_t at = PositionOf(currentRow_);
      RowAt(at);  // the page the grid shows next: a sort it could not show is undone
      current_ = at;
    }
  } catch (...) {
    std::swap(order_, order);  // the order before, and the row where it was
    ForgetPages();
    throw;
  }
  ++revision_;
}

// --- The drop-down's filter -------------------------------------------------

int64_t LiveRecordset::MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from,
                                         int32_t to, std::vector<uint64_t>& bits,
                                         const std::vector<uint64_t>* within) const {
  for (int32_t field : fields) RequireField("MarkFilterMatches", field);
  const int32_t begin = std::clamp(from, 0, count_);
  const int32_t end = std::clamp(to, begin, count_);
  if (bits.size() < (static_cast<size_t>(end) + 63) / 64) bits.resize((static_cast<size_t>(end) + 63) / 64);
  int64_t marked = 0;
  if (filter.Empty() && !within) {
    // No filter text: every row, none of them read.
    for (int32_t p = begin; p < end; ++p) bits[static_cast<size_t>(p) / 64] |= uint64_t{1} << (p % 64);
    return end - begin;
  }
  if (!within) {
    // The database matches the rows and hands over one number a row.
    std::string matches;
    for (int32_t field : fields) {
      const std::string column =
          field == FieldCount() - 1 ? "CAST(" + columns_.back() + " AS TEXT)" : columns_[static_cast<size_t>(field)];
      const std::string one = database_->FilterMatches(column, filter.How() == FilterMatch::WordStart);
      if (one.empty()) {
        matches.clear();
        break;
      }
      matches += (matches.empty() ? "" : " OR ") + ("coalesce(" + one + ", 0)");
    }
    if (!matches.empty()) {
      const std::vector<LiveParameter> texts(fields.size(), LiveParameter(filter.Folded()));
      const std::vector<LiveRow> rows = ReadRows(begin, end - begin, "(" + matches + ")", texts);
      for (int32_t p = begin; p < end; ++p) {
        if (rows[static_cast<size_t>(p - begin)][0] != "1") continue;
        bits[static_cast<size_t>(p) / 64] |= uint64_t{1} << (p % 64);
        ++marked;
      }
      return marked;
    }
  }
  const std::vector<LiveRow> rows = ReadRows(begin, end - begin);
  for (int32_t p = begin; p < end; ++p) {
    const size_t word = static_cast<size_t>(p) / 64;
    const uint64_t bit = uint64_t{1} << (p % 64);
    if (within && ((*within)[word] & bit) == 0) continue;
    const LiveRow& row = rows[static_cast<size_t>(p - begin)];
    for (int32_t field : fields) {
      const LiveValue& value = row[static_cast<size_t>(field)];
      if (value && filter.Matches(*value)) {
        bits[word] |= bit;
        ++marked;
        break;
      }
    }
  }
  return marked;
}

std::optional<std::vector<int32_t>> LiveRecordset::IndexedFilterMatches(const FilterText& filter,
                                                                        std::span<const int32_t> fields,
                                                                        int32_t most) const {
  for (int32_t field : fields) RequireField("IndexedFilterMatches", field);
  if (filter.Empty() || !PlacesCheaply()) return std::nullopt;
  std::vector<std::string> columns;
  for (int32_t field : fields) {
    if (field == FieldCount() - 1) return std::nullopt;  // the key's text is in no index
    columns.push_back(spec_.fields[static_cast<size_t>(field)]);
  }
  const std::optional<LiveSelect> keys = database_->FilterIndexKeys(columns, filter.Folded());
  if (!keys) return std::nullopt;
  // The rows the index gives, when they are few (a few of them may not
  // match): read in one statement, one more than may be, matched here, then
  // placed in the present order.
  const int64_t candidates = 4 * int64_t{most};
  std::vector<LiveParameter> limited = keys->parameters;
  limited.emplace_back(candidates + 1);
  const std::vector<LiveRow> rows =
      database_->Query(Select() + " WHERE " + columns_.back() + " IN (" + keys->sql + " LIMIT ?)", limited);
  if (std::ssize(rows) > candidates) return std::nullopt;
  std::vector<int32_t> positions;
  for (const LiveRow& row : rows) {
    const bool matches = std::any_of(fields.begin(), fields.end(), [&](int32_t field) {
      const LiveValue& value = row[static_cast<size_t>(field)];
      return value && filter.Matches(*value);
    });
    if (!matches) continue;
    if (std::ssize(positions) == most) return std::nullopt;
    // A row written since the table was counted has no place in it.
    const int32_t position = PositionOf(row);
    if (position >= 0 && position < count_) positions.push_back(position);
  }
  std::sort(positions.begin(), positions.end());
  return positions;
}

}  // namespace cbo
