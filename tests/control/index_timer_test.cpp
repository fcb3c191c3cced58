// The list's search indexes are made while the user is idle: after a fill
// the control's timer makes them a slice at a time, and stops when they are
// made.
#include <gtest/gtest.h>

#include <string>

#include "control/cbo_varno.hpp"
#include "platform/headless/headless.hpp"
#include "list/list_store.hpp"

namespace cbo {
namespace {

// n rows of one column "N": "name<i>".
class Names : public RowSource {
public:
  explicit Names(int n) : n_(n) {}
  std::vector<std::string> Columns() override { return {"N"}; }
  bool Next(std::span<Cell> cells) override {
    if (i_ == n_) return false;
    text_ = "name" + std::to_string(i_++);
    cells[0] = Cell{false, text_};
    return true;
  }

private:
  int n_, i_ = 0;
  std::string text_;
};

TEST(IndexTimer, MakesTheTextColumnsIndexInSlicesOnceTheFillIsOver) {
  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  headless::HeadlessContainer container{platform};
  CboVarno c(container, shared);
  c.InitProperties();
  c.SetStileCbo(ComboBox);
  Names rows(300000);
  ASSERT_TRUE(c.AddRows(rows));
  Recordset& table = c.Lista().Tabella();
  EXPECT_FALSE(table.IndexesPending());  // nothing asked for until the user is idle
  platform.Advance(1);
  EXPECT_TRUE(table.IndexesPending());  // one slice made, more to do
  platform.Advance(2000);
  EXPECT_FALSE(table.IndexesPending());
  // Typing afterwards finds the rows as ever.
  auto& box = dynamic_cast<headless::HeadlessTextBox&>(c.Txt_Cbo());
  for (char32_t ch : std::u32string(U"name29999")) box.UserType(ch);
  EXPECT_EQ(c.Text(), "name29999");
}

}  // namespace
}  // namespace cbo
