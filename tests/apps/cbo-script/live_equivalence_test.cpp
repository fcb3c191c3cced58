// A list read live from a SQLite table against the same rows filled into
// memory, through the scripted host: the same random session of typing,
// openings, searches, moves, header sorts, the filter and choices must print
// exactly the same, events included. Rows hold accents, case pairs, quotes,
// the characters SQL treats specially, Nulls and duplicates.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "apps/cbo-script/run.hpp"
#include "sqlite/live_sqlite.hpp"

namespace cbo::script {
namespace {

const char* const kWords[] = {"Èboli",    "èboli",      "EBOLI",  "Forlì",   "forli",
                              "Straße",   "STRASSE",    "σοφος",  "ΣΟΦΟΣ",   "100%",
                              "10_0",     "a*b",        "a?b",    "b\\s",    "l'Aquila",
                              "L'AQUILA", "say \"hi\"", "",       "Ǆemal",   "ǆemal",
                              "Roma",     "roma",       "Rovigo", "Ravenna", "'; DROP TABLE t; --"};
const char* const kKeys[] = {"e", "è", "È", "f", "r", "o", "R", "%", "_", "'", "\\", "s", "σ", "ǅ", "a", " ", "1", ";"};

class Database {
public:
  explicit Database(std::mt19937& rng, int rows) {
    std::string pattern = (std::filesystem::temp_directory_path() / "cbo-live-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
    dir_ = pattern;
    file = (dir_ / "t.db").string();
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    RegisterFolding(db);
    sqlite3_exec(db, "CREATE TABLE t (id INTEGER PRIMARY KEY, a TEXT, b TEXT); BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?, ?, ?)", -1, &insert, nullptr);
    for (int id = 1; id <= rows; ++id) {
      sqlite3_bind_int(insert, 1, id);
      for (int c = 2; c <= 3; ++c) {
        if (rng() % 7 == 0) {
          sqlite3_bind_null(insert, c);
        } else {
          const char* word = kWords[rng() % std::size(kWords)];
          sqlite3_bind_text(insert, c, word, -1, SQLITE_STATIC);
        }
      }
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT; CREATE INDEX t_a ON t(cbo_fold(a), id); CREATE INDEX t_b ON t(cbo_fold(b), id);", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
  }
  ~Database() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string file;

private:
  std::filesystem::path dir_;
};

std::string Quoted(const std::string& s) {
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

// One session's lines, the same for both lists as long as they print the
// same: each line is chosen from the seed and from whether the drop-down is
// open.
class Session {
public:
  Session(uint32_t seed, std::string fill, int steps) : rng_(seed), steps_(steps) {
    const int style = static_cast<int>(seed % 3);
    setup_ = {"new c", std::string("let c.StileCbo = ") + (style == 0 ? "ListCombo" : "ComboBox"), "events all"};
    if (style == 2) setup_.push_back("let c.FilterMode = FilterContains");
    setup_.push_back(std::move(fill));
    setup_.push_back("print c.Rows");
  }

  bool Next(std::string& line, size_t open) {
    if (!pending_.empty()) {
      line = pending_.front();
      pending_.erase(pending_.begin());
      return true;
    }
    if (steps_-- <= 0) {
      if (open == 0) return false;
      line = "grid key Escape";
      return true;
    }
    line = open ? InGrid() : OnTextBox();
    pending_ = {"print c.Txt_Cbo.Text", "print c.CurrentRow", "print c.ListIndex", "print c.Value"};
    if (open && line != "grid key Escape" && line != "grid key Enter") {
      pending_.push_back("print FrmGriglia.MSF.Row");
      if (Below(6) == 0) pending_.push_back("print FrmGriglia.Shown");
    }
    if (Below(12) == 0) pending_.push_back("print c.Rows");
    return true;
  }

private:
  int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
  std::string Key() { return kKeys[Below(static_cast<int>(std::size(kKeys)))]; }

  std::string OnTextBox() {
    const int r = Below(100);
    if (r < 45) return "type c " + Quoted(Key());
    if (r < 60) return "key c Backspace";
    if (r < 68) return "select c 0 99";
    if (r < 74) return "key c Enter";
    if (r < 80) return "key c Down";
    return "button c";
  }

  std::string InGrid() {
    const int r = Below(100);
    if (r < 30) return "grid type " + Quoted(Key());
    if (r < 38) return "grid key Backspace";
    if (r < 46) return "grid key Down";
    if (r < 50) return "grid key Up";
    if (r < 56) return "grid key PageDown";
    if (r < 59) return "grid key PageUp";
    if (r < 63) return "grid key End";
    if (r < 66) return "grid key Home";
    if (r < 76) return "grid header " + std::to_string(Below(2));
    if (r < 84) return "wait 100";
    if (r < 92) return "grid key Enter";
    return "grid key Escape";
  }

  std::mt19937 rng_;
  int steps_;
  std::vector<std::string> setup_;
  std::vector<std::string> pending_;

public:
  // The setup lines come first.
  bool Setup(std::string& line) {
    if (setup_.empty()) return false;
    line = setup_.front();
    setup_.erase(setup_.begin());
    return true;
  }
};

std::string Play(uint32_t seed, const std::string& fill, std::string& errors) {
  Session session(seed, fill, 160);
  std::ostringstream out, err;
  RunScenarioFrom([&](std::string& line, size_t open) { return session.Setup(line) || session.Next(line, open); }, out,
                  err);
  errors = err.str();
  return out.str();
}

TEST(LiveEquivalence, ASessionPrintsTheSameOnALiveListAsOnTheSameRowsInMemory) {
  for (uint32_t seed = 1; seed <= 30; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed * 7919);
    const Database db(rng, 5 + static_cast<int>(seed % 6) * 9);
    std::string memoryErrors, liveErrors;
    const std::string memory =
        Play(seed, "sql c " + Quoted(db.file) + " \"SELECT a, b FROM t ORDER BY id\"", memoryErrors);
    const std::string live = Play(seed, "live c " + Quoted(db.file) + " \"t\" \"id\" \"a,b\"", liveErrors);
    ASSERT_EQ(memoryErrors, "");
    ASSERT_EQ(liveErrors, "");
    std::istringstream m(memory), l(live);
    std::string ml, ll;
    int line = 0;
    while (std::getline(m, ml)) {
      ++line;
      ASSERT_TRUE(std::getline(l, ll)) << "the live session ends early, at line " << line;
      ASSERT_EQ(ll, ml) << "output line " << line;
    }
    EXPECT_FALSE(std::getline(l, ll)) << "the live session prints more";
    EXPECT_GT(line, 400);
  }
}

}  // namespace
}  // namespace cbo::script
