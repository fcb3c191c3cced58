#pragma once
// The connection of a live SQLite table: the file opened read-only, the
// folding function registered, each statement stopped at the time limit.
#include <chrono>
#include <memory>

#include "list/table/live_database.hpp"
#include "sqlite/filter_index.hpp"

struct sqlite3;

namespace cbo::sqlite {

class LiveConnection final : public LiveDatabase {
public:
  // Database error naming the file when it cannot be opened.
  explicit LiveConnection(const std::string& file);
  ~LiveConnection() override;

  std::vector<LiveRow> Query(const std::string& sql, std::span<const LiveParameter> parameters) override;
  std::string Folded(const std::string& column) const override { return "cbo_fold(" + column + ")"; }
  std::string FilterMatches(const std::string& column, bool wordStart) const override {
    return "cbo_filter_match(" + column + ", ?, " + (wordStart ? "1" : "0") + ")";
  }
  // The filter's text index of the table, when it has one.
  void UseFilterIndex(std::optional<FilterIndex> index);
  std::optional<LiveSelect> FilterIndexKeys(std::span<const std::string> columns,
                                            const std::string& folded) const override;
  void SetTimeLimit(int32_t milliseconds) override;
  int32_t TimeLimit() const override { return timeLimitMs_; }

  const std::string& File() const { return file_; }
  sqlite3* Handle() const { return db_; }

private:
  static int Progress(void* self);

  std::string file_;
  sqlite3* db_ = nullptr;
  std::optional<FilterIndex> filterIndex_;
  int32_t timeLimitMs_ = 2000;
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
};

}  // namespace cbo::sqlite
