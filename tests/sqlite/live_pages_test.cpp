// Pages of a live table read ahead through a loader, as a grid asks for
// them: read on a connection of their own from a copy of what the read
// needs, the same rows as the memory table's when they arrive, dropped when
// the grid has left them or the order changed meanwhile, a failure reported
// and the page asked for again.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <numeric>
#include <random>

#include "list/table/live_recordset.hpp"
#include "platform/error.hpp"
#include "sqlite/live_sqlite.hpp"
#include "tests/sqlite/fill_host.hpp"
#include "tests/sqlite/live_file.hpp"

namespace cbo::test {
namespace {

using ::testing::HasSubstr;

const char* const kWords[] = {"Èboli", "èboli", "b", "100%", "zzz", "'; DROP TABLE t; --"};

// Keeps the reads asked for until the test runs them, on the connection it
// gives: what a loader's thread does, one read at a time.
class HeldLoader final : public LivePageLoader {
public:
  struct Held {
    Read read;
    std::shared_ptr<const std::atomic<bool>> wanted;
    Done done;
  };
  explicit HeldLoader(std::deque<Held>& held) : held_(held) {}
  void Load(Read read, std::shared_ptr<const std::atomic<bool>> wanted, Done done) override {
    held_.push_back({std::move(read), std::move(wanted), std::move(done)});
  }

private:
  std::deque<Held>& held_;
};

// Runs every read held that is still wanted and hands its rows back;
// returns how many ran.
int RunHeld(std::deque<HeldLoader::Held>& held, LiveDatabase& database) {
  int ran = 0;
  while (!held.empty()) {
    HeldLoader::Held next = std::move(held.front());
    held.pop_front();
    if (!*next.wanted) continue;
    ++ran;
    try {
      next.done(next.read(database), nullptr);
    } catch (const Error& e) {
      next.done({}, &e);
    }
  }
  return ran;
}

// A connection that has gone away.
class LostDatabase final : public LiveDatabase {
public:
  std::vector<LiveRow> Query(const std::string&, std::span<const LiveParameter>) override {
    throw Error(ErrorKind::Database, "server closed the connection unexpectedly");
  }
  std::string Folded(const std::string& column) const override { return column; }
  void SetTimeLimit(int32_t) override {}
  int32_t TimeLimit() const override { return 2000; }
};

std::vector<int32_t> Positions(int32_t from, int32_t count) {
  std::vector<int32_t> positions(static_cast<size_t>(count));
  std::iota(positions.begin(), positions.end(), from);
  return positions;
}

class LivePages : public ::testing::Test {
protected:
  // The rows written to a file of their own, opened twice: the table whose
  // pages the loader holds, and the other connection the reads run on.
  void Open(const std::vector<TestRow>& rows, const std::string& name) {
    const std::string file = dir.File(name + ".db");
    WriteTable(file, rows);
    other = OpenLiveSqlite(file, "t", "id", {"a", "b"});
    opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
    opened.table->SetPageLoader(std::make_unique<HeldLoader>(held));
  }

  TempDir dir;
  std::deque<HeldLoader::Held> held;
  LiveSqlite other, opened;
};

// Key order with and without gaps and after sorts, the rank maps made
// fully, partly (and further while the read waits: it reads from its own
// copy) or not at all: every page asked for arrives once, on the other
// connection, as the rows the memory table has there.
TEST_F(LivePages, PagesReadAheadOnAConnectionOfTheirOwnAreTheRowsTheMemoryTableHasThere) {
  for (const bool gaps : {false, true}) {
    std::mt19937 rng(gaps ? 3 : 4);
    const std::vector<TestRow> rows = RandomRows(rng, 2000, gaps, kWords);
    for (const std::string sorts : {"", "a", "ba"}) {
      for (const int64_t statements : {0, 20, 10'000}) {
        const std::string trace = std::string("gaps ") + (gaps ? "yes" : "no") + ", sorts " + sorts + ", " +
                                  std::to_string(statements) + " statements";
        SCOPED_TRACE(trace);
        auto memory = MemoryTable(rows);
        Open(rows, std::to_string(std::hash<std::string>{}(trace)));
        opened.table->SetRankSpacing(7);
        int arrived = 0;
        opened.table->SetRowsRead([&](const Error* failure) {
          EXPECT_EQ(failure, nullptr);
          ++arrived;
        });
        for (const char sort : sorts) {
          memory->Sort(std::string(1, sort));
          opened.table->Sort(std::string(1, sort));
        }
        if (statements) opened.table->BuildIndexes(statements * 100'000);
        // A window across two pages in the middle, and the last rows.
        const std::vector<int32_t> window = Positions(1000, 40);
        opened.table->ReadAhead(window);
        EXPECT_FALSE(opened.table->RowReady(1000));
        EXPECT_TRUE(opened.table->RowsPending());
        ASSERT_EQ(held.size(), 2u);
        opened.table->ReadAhead(window);  // asked again: nothing more is read
        ASSERT_EQ(held.size(), 2u);
        opened.table->BuildIndexes(1'000'000);
        EXPECT_EQ(RunHeld(held, other.table->Database()), 2);
        EXPECT_EQ(arrived, 2);
        EXPECT_FALSE(opened.table->RowsPending());
        for (int32_t p : window) {
          ASSERT_TRUE(opened.table->RowReady(p));
          for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(opened.table->ValueAt(p, f), memory->ValueAt(p, f)) << "row " << p;
        }
        opened.table->ReadAhead(Positions(1990, 10));
        RunHeld(held, other.table->Database());
        for (int32_t p = 1990; p < 2000; ++p) ASSERT_EQ(opened.table->ValueAt(p, 0), memory->ValueAt(p, 0));
      }
    }
  }
}

// The grid moved on before a page arrived, or the order changed: the read
// is not run, or its rows are dropped, and the row is still to be read.
TEST_F(LivePages, APageTheGridLeftOrReadInAnOrderSortedSinceIsDropped) {
  std::mt19937 rng(5);
  const std::vector<TestRow> rows = RandomRows(rng, 2000, false, kWords);
  Open(rows, "dropped");
  int arrived = 0;
  opened.table->SetRowsRead([&](const Error*) { ++arrived; });

  opened.table->ReadAhead(Positions(0, 10));
  opened.table->ReadAhead(Positions(1500, 10));  // scrolled away before the first read ran
  ASSERT_EQ(held.size(), 2u);
  EXPECT_FALSE(*held.front().wanted);
  EXPECT_EQ(RunHeld(held, other.table->Database()), 1);
  EXPECT_EQ(arrived, 1);
  EXPECT_FALSE(opened.table->RowReady(0));
  EXPECT_TRUE(opened.table->RowReady(1500));

  // Read, then sorted before it arrived: the rows of key order are not kept.
  opened.table->ReadAhead(Positions(700, 10));
  ASSERT_EQ(held.size(), 1u);
  HeldLoader::Held late = std::move(held.front());
  held.clear();
  std::vector<LiveRow> read = late.read(other.table->Database());
  opened.table->Sort("a");
  EXPECT_FALSE(opened.table->RowsPending());
  late.done(std::move(read), nullptr);
  EXPECT_EQ(arrived, 1);
  auto memory = MemoryTable(rows);
  memory->Sort("a");
  for (int32_t p = 700; p < 710; ++p) EXPECT_EQ(opened.table->ValueAt(p, 0), memory->ValueAt(p, 0));

  // A table destroyed gives up the reads it asked for.
  opened.table->ReadAhead(Positions(300, 10));
  ASSERT_EQ(held.size(), 1u);
  opened.table.reset();
  EXPECT_FALSE(*held.front().wanted);
}

// A read that fails (the connection gone): the handler hears the database's
// message, nothing is pending, and the grid's next move asks again.
TEST_F(LivePages, AFailedReadIsReportedAndThePageIsAskedForAgain) {
  std::mt19937 rng(6);
  const std::vector<TestRow> rows = RandomRows(rng, 500, true, kWords);
  Open(rows, "failed");
  std::vector<std::string> heard;
  opened.table->SetRowsRead([&](const Error* failure) { heard.push_back(failure ? failure->what() : "rows"); });
  LostDatabase lost;
  opened.table->ReadAhead(Positions(200, 5));
  RunHeld(held, lost);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_THAT(heard[0], HasSubstr("server closed the connection unexpectedly"));
  EXPECT_FALSE(opened.table->RowsPending());
  EXPECT_FALSE(opened.table->RowReady(200));
  opened.table->ReadAhead(Positions(200, 5));
  RunHeld(held, other.table->Database());
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[1], "rows");
  EXPECT_EQ(opened.table->ValueAt(204, 2), MemoryTable(rows)->ValueAt(204, 2));
}

}  // namespace
}  // namespace cbo::test
