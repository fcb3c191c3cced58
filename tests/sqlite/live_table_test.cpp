// The live SQLite table against the in-memory table holding the same rows:
// random finds (both forms, every field, the key too), sorts, moves and
// reads must leave both on the same row with the same values. Keys with gaps
// and without (the two ways positions are answered), Nulls, duplicates,
// case pairs, accents and the characters SQL treats specially.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

#include "list/list_store.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/live_recordset.hpp"
#include "list/table/memory_recordset.hpp"
#include "platform/error.hpp"
#include "sqlite/live_sqlite.hpp"
#include "tests/sqlite/fill_host.hpp"
#include "tests/support/live_reference.hpp"
#include "tests/sqlite/live_file.hpp"
#include "tests/sqlite/test_database.hpp"

namespace cbo::test {
namespace {

using ::testing::HasSubstr;

const char* const kWords[] = {"Èboli",
                              "èboli",
                              "EBOLI",
                              "Forlì",
                              "forli",
                              "Straße",
                              "STRASSE",
                              "σοφος",
                              "ΣΟΦΟΣ",
                              "100%",
                              "10_0",
                              "a*b",
                              "a?b",
                              "back\\slash",
                              "l'Aquila",
                              "L'AQUILA",
                              "\"q\"",
                              "",
                              " ",
                              "Ǆemal",
                              "ǆemal",
                              "zzz",
                              "Z",
                              "ab",
                              "abc",
                              "ABD",
                              "b",
                              "İ",
                              "i",
                              "ı",
                              "'; DROP TABLE t; --"};
const char* const kPrefixes[] = {"",   "e", "È", "è", "f", "a", "ab", "A*", "10", "1", "%", "_",      "'",
                                 "\\", "s", "σ", "Σ", "ǅ", "z", "l'", "\"", " ",  "i", "İ", "'; DROP"};

class LiveTable : public ::testing::Test {
protected:
  TempDir dir;
};

TEST_F(LiveTable, EverySequenceOfFindsSortsAndMovesEndsOnTheRowTheMemoryTableEndsOn) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    const std::vector<TestRow> rows = RandomRows(rng, 20 + static_cast<int>(seed) * 25, seed % 2 == 0, kWords);
    const std::string file = dir.File("t" + std::to_string(seed) + ".db");
    WriteTable(file, rows);
    auto memory = MemoryTable(rows);
    LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
    ASSERT_TRUE(opened.missingIndexes.empty());
    Recordset* live = opened.table.get();
    ASSERT_EQ(live->RecordCount(), memory->RecordCount());
    // Two seeds in three place rows by rank maps, made a few statements at
    // a time between the steps: from none to complete, a few rows apart.
    const bool ranked = seed % 3 != 0;
    if (ranked) opened.table->SetRankSpacing(static_cast<int32_t>(1 + seed % 5));
    // Sorts add up (the latest first, the others breaking its ties): a
    // fresh pair of tables now and then sorts by one field again.
    auto reopen = [&] {
      memory = MemoryTable(rows);
      opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
      live = opened.table.get();
      if (ranked) opened.table->SetRankSpacing(static_cast<int32_t>(1 + seed % 5));
    };
    const char* const fields[] = {"a", "B", kIndexField};
    for (int step = 0; step < 300; ++step) {
      std::string what;
      if (ranked && rng() % 4 == 0) live->BuildIndexes(static_cast<int64_t>(rng() % 4) * 2'000'000);
      const int r = static_cast<int>(rng() % 100);
      if (r < 3) {
        what = "Reopen";
        reopen();
      } else if (r < 10) {
        what = "MoveFirst";
        memory->MoveFirst();
        live->MoveFirst();
      } else if (r < 20) {
        const int32_t p = static_cast<int32_t>(rng() % static_cast<uint32_t>(memory->RecordCount()));
        what = "MoveTo " + std::to_string(p);
        memory->MoveTo(p);
        live->MoveTo(p);
      } else if (r < 28) {
        const char* field = fields[rng() % 3];
        what = std::string("Sort ") + field;
        memory->Sort(field);
        live->Sort(field);
      } else {
        const char* field = fields[rng() % 3];
        std::string criteria;
        if (field == kIndexField) {
          const TestRow& row = rows[rng() % rows.size()];
          criteria = std::string(field) + (rng() % 2 ? " = " + Quote(std::to_string(row.id))
                                                     : " like " + Quote(std::to_string(row.id).substr(0, 1) + "*"));
        } else if (rng() % 2) {
          criteria = std::string(field) + " = " + Quote(kWords[rng() % std::size(kWords)]);
        } else {
          criteria = std::string(field) + " like " + Quote(std::string(kPrefixes[rng() % std::size(kPrefixes)]) + "*");
        }
        const int32_t skip = static_cast<int32_t>(rng() % 3);
        what = "Find " + criteria + " skip " + std::to_string(skip);
        if (rng() % 4 == 0) {
          memory->MoveFirst();
          live->MoveFirst();
        }
        if (!memory->Eof() && memory->Position() + skip >= memory->RecordCount()) continue;
        memory->Find(criteria, skip);
        live->Find(criteria, skip);
      }
      ASSERT_EQ(Described(*live), Described(*memory)) << "after " << what;
      const int32_t p = static_cast<int32_t>(rng() % static_cast<uint32_t>(memory->RecordCount()));
      for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(live->ValueAt(p, f), memory->ValueAt(p, f)) << "row " << p;
    }
  }
}

// Rows read from a rank map's kept rows: a page in the middle of one field's
// order, or of key order with gaps, is read from the kept row before it, its
// equal values first, then the values beyond (a few words, so most pages
// cross from one to the next); after two sorts, from the start of the kept
// value's run, ordered by the other field. Maps made fully and made partly.
TEST_F(LiveTable, PagesReadFromRankMapsAreTheRowsTheMemoryTableHasThere) {
  const char* const words[] = {"Èboli", "èboli", "b", "100%", "zzz"};
  for (const bool gaps : {false, true}) {
    std::mt19937 rng(gaps ? 7 : 8);
    const std::vector<TestRow> rows = RandomRows(rng, 3000, gaps, words);
    const std::string file = dir.File(std::string("pages") + (gaps ? "_gaps" : "") + ".db");
    WriteTable(file, rows);
    for (const std::string sorts : {"", "a", "b", "ba", "ab"}) {
      for (const int64_t statements : {5, 100, 10'000}) {
        SCOPED_TRACE(std::string("gaps ") + (gaps ? "yes" : "no") + ", sorts " + sorts + ", " +
                     std::to_string(statements) + " statements");
        auto memory = MemoryTable(rows);
        LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
        opened.table->SetRankSpacing(7);
        for (const char sort : sorts) {
          memory->Sort(std::string(1, sort));
          opened.table->Sort(std::string(1, sort));
        }
        opened.table->BuildIndexes(statements * 100'000);
        for (int32_t p = 0; p < 3000; p += 13)
          for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(opened.table->ValueAt(p, f), memory->ValueAt(p, f)) << "row " << p;
        memory->MoveTo(1717);
        opened.table->MoveTo(1717);
        memory->Find("a = 'b'", 1);
        opened.table->Find("a = 'b'", 1);
        ASSERT_EQ(Described(*opened.table), Described(*memory));
      }
    }
  }
}

// The edges of a rank map: a field Null in every row (the map keeps nothing
// and the Nulls are counted), a field of one value (one run the whole table
// long), a table barely longer than two spacings, and finds from the middle.
TEST_F(LiveTable, RankMapsOfOneValueOrNoneAnswerAsTheMemoryTable) {
  for (const int count : {7, 40, 301}) {
    SCOPED_TRACE(std::to_string(count) + " rows");
    std::vector<TestRow> rows;
    for (int i = 0; i < count; ++i)
      rows.push_back({int64_t{i} * 2 + 1, std::string(i % 2 ? "Same" : "same"), std::nullopt});
    const std::string file = dir.File("edges" + std::to_string(count) + ".db");
    WriteTable(file, rows);
    for (const char* const sorts : {"b", "a", "ab", "ba"}) {
      SCOPED_TRACE(std::string("sorts ") + sorts);
      auto memory = MemoryTable(rows);
      LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
      opened.table->SetRankSpacing(3);
      while (opened.table->BuildIndexes(100'000)) {}
      for (const char* sort = sorts; *sort; ++sort) {
        memory->Sort(std::string(1, *sort));
        opened.table->Sort(std::string(1, *sort));
      }
      for (int32_t p = 0; p < count; ++p)
        for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(opened.table->ValueAt(p, f), memory->ValueAt(p, f)) << "row " << p;
      memory->MoveTo(count / 2);
      opened.table->MoveTo(count / 2);
      memory->Find("a = 'SAME'", 1);
      opened.table->Find("a = 'SAME'", 1);
      ASSERT_EQ(Described(*opened.table), Described(*memory));
    }
  }
}

// The filter's text index against the memory table's filter: the same rows
// for texts found in few rows and in many, of one and two characters, with
// quotes and the characters FTS5 and SQL treat specially, by contains and by
// word start, over one field and two, in key order and sorted. The index is
// made first and the rows changed afterwards, so its triggers are tested
// too; one row holds bytes that are not UTF-8 before a word.
TEST_F(LiveTable, TheFilterIndexFindsTheRowsTheMemoryFilterFinds) {
  std::mt19937 rng(31);
  std::vector<TestRow> rows = RandomRows(rng, 3000, false, kWords);
  const std::string file = dir.File("filter_index.db");
  WriteTable(file, rows);
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  RegisterFolding(db);
  for (const std::string& statement : FilterIndexStatements("t", "id", {"a", "b"})) Exec(db, statement);
  // Changed through the triggers, in the file and in the reference alike.
  Exec(db, "UPDATE t SET a = 'Jürgen \"Straße\"' WHERE id % 97 = 0");
  Exec(db, "DELETE FROM t WHERE id % 89 = 0");
  Exec(db, "INSERT INTO t VALUES (5000, 'x' || CAST(X'E2' AS TEXT) || 'jurgen', NULL), (5001, NULL, 'ab\"q\"jür')");
  sqlite3_close(db);
  std::vector<TestRow> changed;
  for (TestRow row : rows) {
    if (row.id % 89 == 0) continue;
    if (row.id % 97 == 0) row.a = "Jürgen \"Straße\"";
    changed.push_back(row);
  }
  changed.push_back({5000, "x\xE2jurgen", std::nullopt});
  changed.push_back({5001, std::nullopt, "ab\"q\"jür"});

  const char* const texts[] = {"jurgen", "JÜRGEN \"S", "strasse", "ebo", "boli", "100%", "0_0",  "a*b",
                               "'; d",   "σοφ",        "\"q\"",   "zzz", "ab",   "z",    "xyzq", "rgen \"straße\""};
  int indexed = 0;
  for (const char* const sort : {"", "a", "b"}) {
    auto memory = MemoryTable(changed);
    LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
    opened.table->SetRankSpacing(50);
    while (opened.table->BuildIndexes(100'000)) {}
    if (*sort) {
      memory->Sort(sort);
      opened.table->Sort(sort);
    }
    for (const FilterMatch how : {FilterMatch::Contains, FilterMatch::WordStart})
      for (const std::vector<int32_t>& fields : {std::vector<int32_t>{0}, {1}, {0, 1}}) {
        FilteredRows live(opened.table, how, fields), reference(memory, how, fields);
        for (const char* const text : texts) {
          SCOPED_TRACE(std::string("sort \"") + sort + "\", filter \"" + text + "\", " +
                       (how == FilterMatch::Contains ? "contains" : "word start") + ", fields " +
                       std::to_string(fields.size()));
          live.SetText(text);
          reference.SetText(text);
          live.Scan(1);
          if (live.Complete()) ++indexed;
          ASSERT_TRUE(SameFilteredRows(live, reference));
        }
      }
  }
  // The rare texts were found at once, through the index, in key order
  // (the sorted lists read stretches).
  EXPECT_GE(indexed, 2 * 3 * 4);
}

// Where the index cannot answer, the filter reads stretches and still finds
// the memory table's rows: a text of one or two characters, a filter over a
// field the index lacks or over the key, a text with a byte that is not
// UTF-8, and keys with gaps before the rank map of key order is made. A text
// the index can look up is complete at the first read, and stays right
// after a sort (stretches again).
TEST_F(LiveTable, WhereTheFilterIndexCannotAnswerTheRowsAreReadInStretches) {
  std::mt19937 rng(41);
  std::vector<TestRow> rows = RandomRows(rng, 2000, true, kWords);
  rows[10].a = "Jürgen";
  rows[20].b = "jurgen \xE2x";
  const std::string file = dir.File("filter_index_edges.db");
  WriteTable(file, rows);
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  RegisterFolding(db);
  for (const std::string& statement : FilterIndexStatements("t", "id", {"a"})) Exec(db, statement);
  sqlite3_close(db);
  const auto memory = MemoryTable(rows);
  LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
  opened.table->SetRankSpacing(50);
  struct Case {
    const char* text;
    std::vector<int32_t> fields;
    bool indexed;
  };
  const Case cases[] = {{"jurgen", {0}, true},     {"ju", {0}, false},        {"jurgen", {1}, false},
                        {"jurgen", {0, 1}, false}, {"jurgen", {0, 2}, false}, {"n \xE2", {1}, false}};
  for (const bool ranks : {false, true}) {
    if (ranks)
      while (opened.table->BuildIndexes(100'000)) {}
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string("\"") + c.text + "\", " + std::to_string(c.fields.size()) + " fields, rank maps " +
                   (ranks ? "made" : "not made"));
      FilteredRows live(opened.table, FilterMatch::Contains, c.fields),
          reference(memory, FilterMatch::Contains, c.fields);
      live.SetText(c.text);
      reference.SetText(c.text);
      live.Scan(1);
      EXPECT_EQ(live.Complete(), c.indexed && ranks);
      ASSERT_TRUE(SameFilteredRows(live, reference));
    }
  }
  memory->Sort("a");
  opened.table->Sort("a");
  FilteredRows live(opened.table, FilterMatch::Contains, {0}), reference(memory, FilterMatch::Contains, {0});
  live.SetText("jurgen");
  reference.SetText("jurgen");
  live.Scan(1);
  EXPECT_FALSE(live.Complete());
  ASSERT_TRUE(SameFilteredRows(live, reference));
}

// A million rows, as CI runs the benchmark's smallest live size: results
// only, no times. Far from the first page, the counted positions and the
// pages read back from the end must still agree with the memory table.
TEST_F(LiveTable, AMillionRowsAnswerAsTheSameRowsInMemory) {
  std::mt19937 rng(99);
  std::vector<TestRow> rows;
  for (int64_t id = 1; id <= 1'000'000; ++id) {
    std::optional<std::string> b;
    if (rng() % 9) b = kWords[rng() % std::size(kWords)];
    rows.push_back({id * 3, std::string(kWords[rng() % std::size(kWords)]) + " " + std::to_string(rng() % 50'000), b});
  }
  const std::string file = dir.File("million.db");
  WriteTable(file, rows);
  auto memory = MemoryTable(rows);
  LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"}, 60'000);
  Recordset& live = *opened.table;
  ASSERT_EQ(live.RecordCount(), 1'000'000);
  const std::vector<std::string> steps = {"Find a like 'rom*'",
                                          "MoveTo 999999",
                                          "Find b = 'zzz'",
                                          "Sort b",
                                          "MoveTo 654321",
                                          "Find a like 'z 4*'",
                                          "Sort a",
                                          "Find b like 'σ*'",
                                          "MoveTo 0",
                                          "Find a = 'Forlì 4'",
                                          "Sort B",
                                          "MoveTo 999990",
                                          "Find a like 'ǅ*'",
                                          "Rank maps",
                                          "Find a like 'ro*'",
                                          "Sort a",
                                          "Find b = 'Z'",
                                          "Sort b",
                                          "Find a like 'z 4*'",
                                          "Sort _Index_Cmbo_Varno_",
                                          "Find a = 'abc 7'"};
  memory->MoveFirst();
  live.MoveFirst();
  for (const std::string& step : steps) {
    SCOPED_TRACE(step);
    if (step == "Rank maps") {
      // Made as idle time makes them: the positions after it come from them.
      while (live.BuildIndexes(500'000)) {}
      EXPECT_GT(opened.table->RankBytes(), 0u);
      EXPECT_LT(opened.table->RankBytes(), 1'000'000u);
    } else if (step.rfind("Find ", 0) == 0) {
      memory->Find(step.substr(5), 1);
      live.Find(step.substr(5), 1);
    } else if (step.rfind("Sort ", 0) == 0) {
      memory->Sort(step.substr(5));
      live.Sort(step.substr(5));
    } else {
      const int32_t p = std::stoi(step.substr(7));
      memory->MoveTo(p);
      live.MoveTo(p);
    }
    ASSERT_EQ(Described(live), Described(*memory));
    for (int32_t p : {0, 1, 500'000, 999'872, 999'999})
      for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(live.ValueAt(p, f), memory->ValueAt(p, f)) << "row " << p;
    if (memory->Eof()) {
      memory->MoveFirst();
      live.MoveFirst();
    }
  }
}

TEST_F(LiveTable, TypedTextReachesSqlOnlyAsBoundValues) {
  const std::string file = dir.File("t.db");
  WriteTable(file, {{1, "x", "y"}, {2, "'; DROP TABLE t; --", "%"}, {3, "_", "100%"}});
  LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
  Recordset& live = *opened.table;
  for (const char* criteria : {"a = '''; DROP TABLE t; --'", "a like '''; DROP*'", "b like '%*'", "a like '_*'",
                               "b = '%'", "a like '\\*'", "a = 'x'' OR ''1''=''1'"}) {
    SCOPED_TRACE(criteria);
    live.MoveFirst();
    live.Find(criteria);
  }
  live.MoveFirst();
  live.Find("b like '%*'");
  EXPECT_EQ(Described(live), "1: \"'; DROP TABLE t; --\" \"%\" \"2\"");
  live.MoveFirst();
  live.Find("a like '_*'");
  EXPECT_EQ(Described(live), "2: \"_\" \"100%\" \"3\"");
  live.MoveFirst();
  live.Find("a = 'x'' OR ''1''=''1'");
  EXPECT_EQ(Described(live), "EOF");
  // The table and its rows are all still there, read on a new connection.
  EXPECT_EQ(OpenLiveSqlite(file, "t", "id", {"a", "b"}).table->RecordCount(), 3);
  // A table name is an identifier, quoted, never a statement.
  EXPECT_THAT(ErrorOf([&] { OpenLiveSqlite(file, "t; DROP TABLE t", "id", {"a"}); }).what(),
              HasSubstr("there is no table or view \"t; DROP TABLE t\""));
  EXPECT_THAT(ErrorOf([&] { OpenLiveSqlite(file, "t", "id", {"a\" FROM t; --"}); }).what(), HasSubstr("has no column"));
}

TEST_F(LiveTable, RowsAreReadOnly) {
  const std::string file = dir.File("t.db");
  WriteTable(file, {{1, "x", "y"}});
  LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
  opened.table->MoveFirst();
  for (auto change : std::vector<std::function<void()>>{[&] { opened.table->Delete(); },
                                                        [&] {
                                                          const Variant* none[] = {nullptr};
                                                          opened.table->AppendRow(none);
                                                        }}) {
    const Error e = ErrorOf(change);
    EXPECT_EQ(e.kind(), ErrorKind::Database);
    EXPECT_THAT(e.what(), HasSubstr("the list is read from the database"));
  }
}

TEST_F(LiveTable, AKeyThatIsNotAUniqueWholeNumberIsRefused) {
  const std::string file = dir.File("k.db");
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  Exec(db,
       "CREATE TABLE k (n INTEGER, u INTEGER, s TEXT, PRIMARY KEY (n, u)); CREATE UNIQUE INDEX k_u ON k(u);"
       "CREATE VIEW v AS SELECT s || '' AS name, u + 0 AS n FROM k; INSERT INTO k VALUES (1, 1, 'a'), (1, 2, 'b');");
  sqlite3_close(db);
  EXPECT_THAT(ErrorOf([&] { OpenLiveSqlite(file, "k", "n", {"s"}); }).what(),
              HasSubstr("\"n\" of \"k\" is not unique"));
  EXPECT_THAT(ErrorOf([&] { OpenLiveSqlite(file, "k", "s", {"s"}); }).what(), HasSubstr("not an integer column"));
  EXPECT_EQ(OpenLiveSqlite(file, "k", "u", {"s"}).table->RecordCount(), 2);
  EXPECT_THAT(ErrorOf([&] { OpenLiveSqlite(file, "v", "name", {"n"}); }).what(), HasSubstr("not whole numbers"));
  EXPECT_EQ(OpenLiveSqlite(file, "v", "n", {"name"}).table->RecordCount(), 2);
}

TEST_F(LiveTable, ALargeTableWithoutItsIndexesIsRefusedWithTheStatementsThatMakeThem) {
  std::vector<TestRow> rows;
  for (int64_t i = 1; i <= 100'000; ++i) rows.push_back({i, "r" + std::to_string(i % 977), std::nullopt});
  const std::string file = dir.File("big.db");
  WriteTable(file, rows, false);
  const Error e = ErrorOf([&] { OpenLiveSqlite(file, "t", "id", {"a", "b"}); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("CREATE INDEX \"t_a_fold\" ON \"t\"(cbo_fold(\"a\"), \"id\");"));
  EXPECT_THAT(e.what(), HasSubstr("CREATE INDEX \"t_b_fold\" ON \"t\"(cbo_fold(\"b\"), \"id\");"));
  // A small one opens and says what it lacks.
  const std::string small = dir.File("small.db");
  WriteTable(small, {{1, "x", "y"}}, false);
  EXPECT_EQ(OpenLiveSqlite(small, "t", "id", {"a"}).missingIndexes,
            std::vector<std::string>{"CREATE INDEX \"t_a_fold\" ON \"t\"(cbo_fold(\"a\"), \"id\");"});
}

TEST_F(LiveTable, AStatementLongerThanTheTimeLimitIsStoppedAndTheTableStaysWhereItWas) {
  // Just under the size that must have indexes, and without them: a find
  // reads every row, calling cbo_fold on each, far longer than 1 ms.
  std::vector<TestRow> rows;
  for (int64_t i = 1; i < 100'000; ++i) rows.push_back({i, "r" + std::to_string(i), "same"});
  const std::string file = dir.File("slow.db");
  WriteTable(file, rows, false);
  LiveSqlite opened = OpenLiveSqlite(file, "t", "id", {"a", "b"});
  Recordset& live = *opened.table;
  live.MoveTo(5);
  opened.table->Database().SetTimeLimit(1);
  const Error e = ErrorOf([&] { live.Find("b = 'other'"); });
  EXPECT_EQ(e.kind(), ErrorKind::Database);
  EXPECT_THAT(e.what(), HasSubstr("interrupted (a statement ran longer than the time limit of 1 ms)"));
  EXPECT_EQ(live.Position(), 5);
  // The next try, given the time, answers.
  opened.table->Database().SetTimeLimit(60'000);
  live.Find("b = 'other'");
  EXPECT_TRUE(live.Eof());
}

}  // namespace
}  // namespace cbo::test
