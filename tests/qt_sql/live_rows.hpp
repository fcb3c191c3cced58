#pragma once
// What the Qt SQL live table tests share: rows of random words written to a
// table t (id, a, b) through Qt SQL (the rows and the in-memory table that
// holds them: tests/support/live_reference.hpp), and the random walk of finds, sorts and moves that must leave both tables on
// the same row with the same values.
#include <gtest/gtest.h>

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tests/support/live_reference.hpp"

namespace cbo::test {

// Runs one statement on the connection; a failure fails the test with the
// driver's message.
inline void Exec(const QSqlDatabase& db, const QString& sql) {
  QSqlQuery q(db);
  if (!q.exec(sql)) ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

// Writes the rows into the table (made already, its columns id, a, b), in
// one transaction.
inline void InsertRows(QSqlDatabase& db, const QString& table, const std::vector<TestRow>& rows) {
  ASSERT_TRUE(db.transaction()) << db.lastError().text().toStdString();
  QSqlQuery insert(db);
  ASSERT_TRUE(insert.prepare("INSERT INTO " + table + " (id, a, b) VALUES (?, ?, ?)"));
  for (const TestRow& row : rows) {
    insert.addBindValue(QVariant(qlonglong{row.id}));
    for (const auto& value : {row.a, row.b})
      insert.addBindValue(value ? QVariant(QString::fromStdString(*value)) : QVariant(QMetaType(QMetaType::QString)));
    ASSERT_TRUE(insert.exec()) << insert.lastError().text().toStdString();
  }
  ASSERT_TRUE(db.commit()) << db.lastError().text().toStdString();
}

// `steps` random finds (both forms, every field, the key too), sorts and
// moves on both tables, each followed by a comparison of the current row
// and of a random row read by position.
inline void WalkBoth(Recordset& live, Recordset& memory, const std::vector<TestRow>& rows, std::mt19937& rng, int steps,
                     std::span<const char* const> words, std::span<const char* const> prefixes) {
  ASSERT_EQ(live.RecordCount(), memory.RecordCount());
  const char* const fields[] = {"a", "B", kIndexField};
  for (int step = 0; step < steps; ++step) {
    std::string what;
    const int r = static_cast<int>(rng() % 100);
    if (r < 10) {
      what = "MoveFirst";
      memory.MoveFirst();
      live.MoveFirst();
    } else if (r < 20) {
      const int32_t p = static_cast<int32_t>(rng() % static_cast<uint32_t>(memory.RecordCount()));
      what = "MoveTo " + std::to_string(p);
      memory.MoveTo(p);
      live.MoveTo(p);
    } else if (r < 28) {
      const char* field = fields[rng() % 3];
      what = std::string("Sort ") + field;
      memory.Sort(field);
      live.Sort(field);
    } else {
      const char* field = fields[rng() % 3];
      std::string criteria;
      if (field == kIndexField) {
        const TestRow& row = rows[rng() % rows.size()];
        const std::string id = std::to_string(row.id);
        criteria = std::string(field) + (rng() % 2 ? " = " + Quote(id) : " like " + Quote(id.substr(0, 1) + "*"));
      } else if (rng() % 2) {
        criteria = std::string(field) + " = " + Quote(words[rng() % words.size()]);
      } else {
        criteria = std::string(field) + " like " + Quote(std::string(prefixes[rng() % prefixes.size()]) + "*");
      }
      const int32_t skip = static_cast<int32_t>(rng() % 3);
      what = "Find " + criteria + " skip " + std::to_string(skip);
      if (rng() % 4 == 0) {
        memory.MoveFirst();
        live.MoveFirst();
      }
      if (!memory.Eof() && memory.Position() + skip >= memory.RecordCount()) continue;
      memory.Find(criteria, skip);
      live.Find(criteria, skip);
    }
    ASSERT_EQ(Described(live), Described(memory)) << "after " << what;
    const int32_t p = static_cast<int32_t>(rng() % static_cast<uint32_t>(memory.RecordCount()));
    for (int32_t f = 0; f < 3; ++f) ASSERT_EQ(live.ValueAt(p, f), memory.ValueAt(p, f)) << "row " << p;
  }
}

}  // namespace cbo::test
