// The row-moved notification: which operations raise it, in what order
// subscribers hear it, and re-entry from inside a notification.
#include "table_fixture.hpp"

namespace cbo::testing {
namespace {

class NotifiedTable : public OpenTable {
protected:
  void SetUp() override {
    OpenTable::SetUp();
    for (const char* codice : {"Rossi", "Bianchi", "Rossini"}) AddRow(codice);
    table.MoveFirst();
  }

  // A subscriber that logs its name and the current position.
  int Listen(const std::string& name) {
    return table.Subscribe([this, name] { log.push_back(name + "@" + std::to_string(table.Position())); });
  }

  std::vector<std::string> log;
};

using WhatNotifies = NotifiedTable;

TEST_F(WhatNotifies, EveryRepositioningAndNothingElse) {
  Listen("a");
  int b = Listen("b");
  table.MoveFirst();
  table.Unsubscribe(b);
  table.Find("Codice = 'rossini'");
  table.Find("Codice = 'rossini'");  // on the row already current
  table.Find("Codice = 'nobody'");   // ends at EOF
  table.Find("Codice = 'nobody'");   // already at EOF
  table.MoveTo(1);
  AddRow("Verdi");
  table.Sort("Codice");
  table.Delete();
  table.AddNew();
  table.CancelUpdate();
  ExpectError([&] { table.Find("Codice = 'x"); });
  ExpectError([&] { table.MoveTo(9); });
  EXPECT_EQ(log, (std::vector<std::string>{"a@0", "b@0", "a@2", "a@2", "a@-1", "a@-1", "a@1", "a@3"}));
}

using ReentryFromANotification = NotifiedTable;

TEST_F(ReentryFromANotification, FindInsideItsOwnNotificationNotifiesNested) {
  bool searching = false;
  table.Subscribe([&] {
    log.push_back("find@" + std::to_string(table.Position()));
    if (searching) return;
    searching = true;
    table.Find("Codice like 'rossin*'");
    searching = false;
  });
  Listen("b");
  table.MoveFirst();
  EXPECT_EQ(Current(), "3");
  // The nested round runs inside the first; then "b" hears the outer one.
  EXPECT_EQ(log, (std::vector<std::string>{"find@0", "find@2", "b@2", "b@2"}));
}

TEST_F(ReentryFromANotification, UnsubscribingAndSubscribingDuringARound) {
  int b = 0;
  bool added = false;
  int a = table.Subscribe([&] {
    log.push_back("a");
    table.Unsubscribe(b);  // not called in this round either
    if (!added) {
      added = true;
      Listen("late");  // hears the next round
    }
  });
  b = Listen("b");
  table.MoveFirst();
  table.MoveTo(2);
  table.Unsubscribe(a);
  table.MoveFirst();
  EXPECT_EQ(log, (std::vector<std::string>{"a", "a", "late@2", "late@0"}));
}

TEST(ReleasedDuringANotification, TheRoundStops) {
  auto table = std::make_shared<MemoryRecordset>();
  table->Open(kSchema);
  MemoryRecordset* raw = table.get();
  int later = 0;
  raw->Subscribe([&] { table.reset(); });
  raw->Subscribe([&] { ++later; });
  raw->AddNew();
  raw->Update();
  EXPECT_EQ(table, nullptr);
  EXPECT_EQ(later, 0);
}

}  // namespace
}  // namespace cbo::testing
