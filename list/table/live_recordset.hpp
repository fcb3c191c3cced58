#pragma once
// A live table: the recordset contract (recordset.hpp) answered from a
// database table or view whose rows are never copied. Its fields are named
// columns of the table, and a last field (the list's row index) is its
// integer key column, unique. The present order is key order until a Sort;
// a Sort orders by the field's folded text, Null first, ties in the order
// before it, as the in-memory table does. The rows are read a page at a
// time, as the grid shows them; a Find is one query that the database
// answers from its indexes (docs/database.md).
//
// The rows are counted once, when the table opens: a database that gains or
// loses rows afterwards shows the change after the list attaches again. Rows
// are read only: every change of them is a Database error.
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>

#include "list/table/live_database.hpp"
#include "list/table/live_page_loader.hpp"
#include "list/table/recordset.hpp"
#include "list/table/row_moved.hpp"

namespace cbo {

namespace table {
struct LiveOrder;
struct LiveRead;
class LiveRanks;
}  // namespace table

struct LiveTableSpec {
  std::string table;                // the table or view
  std::vector<std::string> fields;  // its columns read, in order
  std::string key;                  // its integer key column
  std::string keyField;             // the name the list knows the key by
};

class LiveRecordset final : public Recordset {
public:
  // Opens the table and counts its rows (a Database error when the
  // database refuses). The names are checked against the database by
  // whoever made it; here they are only quoted.
  LiveRecordset(std::shared_ptr<LiveDatabase> database, LiveTableSpec spec);
  ~LiveRecordset() override;

  LiveDatabase& Database() const { return *database_; }
  const LiveTableSpec& Spec() const { return spec_; }

  int32_t State() const override { return 1; }
  int32_t RecordCount() const override { return count_; }
  int32_t FieldCount() const override { return static_cast<int32_t>(names_.size()); }
  const std::string& FieldName(int32_t index) const override;
  int32_t FieldIndex(const std::string& name) const override;
  int32_t FieldNumber(const std::string& name) const override;
  bool ReadOnly() const override { return true; }

  void AppendRow(std::span<const Variant* const> values) override;
  int64_t AppendRows(const RowWriter& next) override;
  void Delete() override;

  Variant Field(const std::string& name) const override;
  Variant Field(int32_t index) const override;

  void MoveFirst() override;
  void MoveToEof() override;
  void Find(const std::string& criteria, int32_t skip = 0) override;
  bool Eof() const override { return current_ < 0; }
  void Sort(const std::string& field) override;

  // In idle time, the rank maps (live_ranks.hpp) that place a row in a
  // sorted order without counting the rows before it: the present order's
  // first, then the field asked for, then every other field. A statement
  // that fails stops the making; the next action meets the failure itself.
  bool BuildIndexes(int64_t steps) override;
  bool IndexesPending() const override;
  void PrepareIndex(const std::string& field) override;
  // The rows between two rows a rank map keeps (4,096 or a 4,096th of the
  // table, whichever is more, for a table of 100,000 rows or more); the
  // maps are made again from nothing. A table of no more than twice as many
  // rows has none and is counted instead.
  void SetRankSpacing(int32_t rows);
  // The bytes the rank maps keep.
  size_t RankBytes() const;

  // The pages a grid is about to show are read by `loader` (on a connection
  // of its own, off this thread): ReadAhead asks for them, RowReady says
  // whether a row is at hand, and the handler given to SetRowsRead hears of
  // each page that arrived or failed. A page asked for that the grid has
  // left by the time it arrives, or read in an order sorted since, is
  // dropped. Without a loader, every page is read when a row of it is.
  void SetPageLoader(std::unique_ptr<LivePageLoader> loader);
  bool RowReady(int32_t position) const override;
  void ReadAhead(std::span<const int32_t> positions) override;
  bool RowsPending() const override { return !loading_.empty(); }
  void SetRowsRead(std::function<void(const Error* failure)> handler) override { rowsRead_ = std::move(handler); }

  int32_t Position() const override { return current_; }
  void MoveTo(int32_t position) override;
  Variant ValueAt(int32_t position, int32_t field) const override;

  int64_t MarkFilterMatches(const FilterText& filter, std::span<const int32_t> fields, int32_t from, int32_t to,
                            std::vector<uint64_t>& bits, const std::vector<uint64_t>* within = nullptr) const override;
  // Through the database's text index of the filter (LiveDatabase::
  // FilterIndexKeys), in key order, where a row's place is found without
  // counting many rows (keys without gaps, or a complete rank map of key
  // order); a sorted list reads its rows in stretches.
  std::optional<std::vector<int32_t>> IndexedFilterMatches(const FilterText& filter, std::span<const int32_t> fields,
                                                           int32_t most) const override;
  size_t FilterBytes() const override { return 0; }
  uint64_t Revision() const override { return revision_; }

  int Subscribe(std::function<void()> handler) override { return subscribers_.Subscribe(std::move(handler)); }
  void Unsubscribe(int id) override { subscribers_.Unsubscribe(id); }

private:
  // The present order and the query that reads every field, the key last.
  table::LiveOrder Order() const;
  std::string Term(int32_t field) const;  // the SQL a field sorts by
  std::string Columns() const;            // the select list
  std::string From() const;               // " FROM <table>"
  std::string Select() const;
  // A row as read: one value per field, the key's text last.
  const LiveRow& RowAt(int32_t position) const;
  void KeepPage(int32_t page, std::vector<LiveRow> rows) const;
  // Forgets the pages read and gives up those being read.
  void ForgetPages();
  // The read of positions [from, from + count): every field, or only the
  // `values` given (a select list, with its `parameters`).
  table::LiveRead Reading(int32_t from, int32_t count, const std::string& values = {},
                          const std::vector<LiveParameter>& parameters = {}) const;
  std::vector<LiveRow> ReadRows(int32_t from, int32_t count, const std::string& values = {},
                                const std::vector<LiveParameter>& parameters = {}) const;
  void LoadPage(int32_t page);
  void PageArrived(int32_t page, uint64_t ticket, std::vector<LiveRow> rows, const Error* failure);
  int32_t PositionOf(const LiveRow& row) const;
  // PositionOf counts fewer than a spacing of rows (or none) for any row.
  bool PlacesCheaply() const;
  // The rows before `row` in the present order's first term, by its rank
  // map; nothing when the map cannot say yet.
  std::optional<int32_t> RankedBefore(const LiveRow& row) const;
  // The present order's rank map when reading from position `from`
  // (`fromEnd` rows before the end) by it passes fewer rows than reading
  // from the nearer end.
  std::shared_ptr<table::LiveRanks> RanksReading(int32_t from, int32_t fromEnd) const;
  table::LiveRanks* RanksToMake() const;
  int32_t FieldNamed(const char* operation, const std::string& name) const;
  void RequireField(const char* operation, int32_t index) const;
  void RequirePosition(const char* operation, int32_t position) const;
  [[noreturn]] void Refused(const char* operation) const;

  std::shared_ptr<LiveDatabase> database_;
  LiveTableSpec spec_;
  std::vector<std::string> names_;    // the fields, the key field last
  std::vector<std::string> folded_;   // their names folded, for lookups
  std::vector<std::string> columns_;  // the quoted columns, the key last
  int32_t count_ = 0;
  // Keys from `first_` to `first_ + count_ - 1`, every one a row: a row's
  // place in key order is its key less the first, and a page is a key range.
  bool dense_ = false;
  int64_t first_ = 0;
  // The fields of the present order, the latest Sort first; the key breaks
  // the ties that remain.
  std::vector<int32_t> order_;
  int32_t current_ = -1;
  LiveRow currentRow_;
  uint64_t revision_ = 0;
  // One rank map a field but the key field (whose text has no index), and
  // one of key order when the keys have gaps; none for a short table.
  std::vector<std::shared_ptr<table::LiveRanks>> ranks_;
  std::shared_ptr<table::LiveRanks> keyRanks_;
  int32_t preferred_ = -1;
  bool ranksFailed_ = false;
  table::RowMovedSubscribers subscribers_;
  // Pages of rows read, the most recently used first; a few hundred rows in
  // all, however long the table.
  mutable std::list<std::pair<int32_t, std::vector<LiveRow>>> pages_;
  mutable std::unordered_map<int32_t, decltype(pages_)::iterator> pageAt_;
  // The pages being read by the loader: the ticket of each one's read, and
  // whether it is still wanted (cleared when the grid leaves the page).
  struct Loading {
    uint64_t ticket;
    std::shared_ptr<std::atomic<bool>> wanted;
  };
  std::map<int32_t, Loading> loading_;
  uint64_t tickets_ = 0;
  std::function<void(const Error* failure)> rowsRead_;
  // Last, so that it goes first: no read arrives at a table destroyed.
  std::unique_ptr<LivePageLoader> loader_;
};

}  // namespace cbo
