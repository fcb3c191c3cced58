// The bulk fill: the same list as ListItem and AddItem row by row would make,
// or, when anything fails or is cancelled, the list exactly as it was.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "control/cbo_varno.hpp"
#include "platform/error.hpp"
#include "platform/headless/headless.hpp"
#include "list/list_store.hpp"

namespace cbo {
namespace {

using Row = std::vector<std::optional<std::string>>;  // no value: Null

// Rows from memory; throws at row `failAt` (counting from 1) when set.
class MemoryRows : public RowSource {
public:
  MemoryRows(std::vector<std::string> columns, std::vector<Row> rows)
      : columns_(std::move(columns)), rows_(std::move(rows)) {}
  std::vector<std::string> Columns() override { return columns_; }
  bool Next(std::span<Cell> cells) override {
    if (next_ == rows_.size()) return false;
    if (failAt != 0 && next_ + 1 == failAt)
      throw Error(ErrorKind::Database, "row " + std::to_string(failAt) + ": the source broke");
    const Row& row = rows_[next_++];
    for (size_t c = 0; c < cells.size(); ++c) cells[c] = row[c] ? Cell{false, *row[c]} : Cell{true, {}};
    return true;
  }
  size_t read() const { return next_; }
  size_t failAt = 0;

private:
  std::vector<std::string> columns_;
  std::vector<Row> rows_;
  size_t next_ = 0;
};

// One control with what a host can see of it.
struct Placed {
  explicit Placed(headless::HeadlessPlatform& p, ProcessState& s) : container(p), c(container, s) {
    c.InitProperties();
    container.OnEvent = [this](int number, std::span<Variant>) { events.push_back(number); };
    c.SetRowChosenHandler([this](int32_t i) { chosen.push_back(i); });
  }
  // Everything the list shows: rows in order with the current one, MaxIndex,
  // the text box, the staged row, the choice.
  std::string State() {
    std::string s;
    Lista().Tabella();
    const RecordsetRef& t = Lista().Rcset_Cbo();
    if (t->State() == 1) {
      for (int32_t r = 0; r < t->RecordCount(); ++r) {
        s += r == t->Position() ? "*" : " ";
        for (int32_t f = 0; f < t->FieldCount(); ++f) {
          const Variant v = t->ValueAt(r, f);
          s += v.IsNull() ? "<null>|" : ToText(v, "value") + "|";
        }
        s += "\n";
      }
    }
    s += "fields " + std::to_string(Lista().NumMtCol()) + " max " + std::to_string(Lista().MaxIndex()) + " text [" +
         c.Text() + "] tag [" + c.Txt_Cbo().Tag() + "] selected " + std::to_string(c.IndiceSelezionato()) + " ok " +
         std::to_string(Lista().OkSelezioneAvvenuta()) + " staged";
    for (const SlotRiga& slot : Lista().RigaPreparata()) s += " " + slot.Nome + "=" + ToText(slot.Valore, "slot");
    return s;
  }
  ListStore& Lista() { return c.Lista(); }

  headless::HeadlessContainer container;
  CboVarno c;
  std::vector<int> events;
  std::vector<int32_t> chosen;
};

class BulkFill : public ::testing::Test {
protected:
  void Columns(Placed& p, int32_t style) {
    p.c.SetStileCbo(style);
    p.c.AddField("Nome");
    p.c.AddField("Prov");
  }
  void PerRow(Placed& p, const std::vector<Row>& rows) {
    for (const Row& r : rows) {
      p.c.ListItem("Prov", r[1] ? Variant(*r[1]) : Variant::Null());
      p.c.ListItem("Nome", r[0] ? Variant(*r[0]) : Variant::Null());
      p.c.AddItem();
    }
  }

  headless::HeadlessPlatform platform;
  ProcessState shared{platform};
  std::vector<Row> rows{{"Roma", "RM"}, {"Milano", std::nullopt}, {"Èboli", "SA"}, {"Bari", "BA"}};
};

TEST_F(BulkFill, GivesTheListTheRowByRowPathGivesInEveryStyle) {
  for (int32_t style : {0, 1, 2}) {
    Placed one(platform, shared), bulk(platform, shared);
    Columns(one, style);
    Columns(bulk, style);
    // Into an empty list, then into a list that already has rows and a gap.
    PerRow(one, rows);
    MemoryRows source({"PROV", "extra", "nome"},
                      {{"RM", "x", "Roma"}, {std::nullopt, "y", "Milano"}, {"SA", "z", "Èboli"}, {"BA", "w", "Bari"}});
    EXPECT_TRUE(bulk.c.AddRows(source));
    EXPECT_EQ(bulk.State(), one.State()) << "style " << style;
    EXPECT_EQ(bulk.events, one.events) << "style " << style;
    EXPECT_EQ(bulk.chosen, one.chosen) << "style " << style;

    one.c.RemoveItem(2);
    bulk.c.RemoveItem(2);
    PerRow(one, {{"Como", "CO"}});
    MemoryRows more({"Nome", "Prov"}, {{"Como", "CO"}});
    EXPECT_TRUE(bulk.c.AddRows(more));
    EXPECT_EQ(bulk.State(), one.State()) << "style " << style;
    EXPECT_EQ(bulk.chosen, one.chosen) << "style " << style;
  }
}

TEST_F(BulkFill, AListWithoutColumnsGetsOnePerSourceColumn) {
  Placed p(platform, shared);
  p.c.SetStileCbo(ListCombo);
  MemoryRows source({"Comune", "Sigla"}, {{"Roma", "RM"}, {"Bari", "BA"}});
  EXPECT_TRUE(p.c.AddRows(source));
  ASSERT_EQ(p.Lista().NumMtCol(), 2);
  EXPECT_EQ(p.Lista().Matrice_Campi()[1].Nome_Field, "Sigla");
  EXPECT_EQ(p.Lista().Matrice_Campi()[1].NomeColonna, "Sigla");
  EXPECT_EQ(p.Lista().Text_Col(), "Comune");
  EXPECT_EQ(p.c.Text(), "Roma");
  EXPECT_EQ(p.c.Record_Count(), 2);
}

TEST_F(BulkFill, ARefusedValueOrAFailingSourceLeavesEverythingAsItWas) {
  Placed p(platform, shared);
  Columns(p, ListCombo);
  PerRow(p, {{"Roma", "RM"}});
  p.c.ListItem("Nome", Variant("staged"));
  const std::string before = p.State();

  std::vector<Row> longValue = rows;
  longValue[2][1] = std::string(101, 'x');
  MemoryRows refused({"Nome", "Prov"}, longValue);
  try {
    p.c.AddRows(refused);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Table);
    EXPECT_NE(std::string(e.what()).find("row 3"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("\"Prov\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(p.State(), before);
  EXPECT_FALSE(shared.CaricamentoInCorso());

  MemoryRows broken({"Nome", "Prov"}, rows);
  broken.failAt = 4;
  EXPECT_THROW(p.c.AddRows(broken), Error);
  EXPECT_EQ(p.State(), before);

  // Columns made from the source are undone with the rows.
  Placed empty(platform, shared);
  const std::string emptyBefore = empty.State();
  MemoryRows breaksLate({"A", "B"}, {{"a", "b"}, {"c", "d"}});
  breaksLate.failAt = 2;
  EXPECT_THROW(empty.c.AddRows(breaksLate), Error);
  EXPECT_EQ(empty.State(), emptyBefore);
  EXPECT_EQ(empty.Lista().NumMtCol(), 0);
}

TEST_F(BulkFill, AFieldTheSourceDoesNotGiveRefusesTheFillBeforeAnyRow) {
  Placed p(platform, shared);
  Columns(p, ComboBox);
  MemoryRows source({"Nome", "Regione"}, {{"Roma", "Lazio"}});
  try {
    p.c.AddRows(source);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("\"Prov\""), std::string::npos) << e.what();
  }
  EXPECT_EQ(source.read(), 0u);
  EXPECT_EQ(p.c.Record_Count(), 0);
}

TEST_F(BulkFill, ProgressCanCancelAndTheHostCannotChangeTheListMeanwhile) {
  std::vector<Row> many;
  for (int i = 0; i < 10000; ++i) many.push_back({"n" + std::to_string(i), "p"});
  Placed p(platform, shared);
  Columns(p, ListCombo);
  PerRow(p, {{"Roma", "RM"}});
  const std::string before = p.State();

  std::vector<int64_t> told;
  MemoryRows cancelled({"Nome", "Prov"}, many);
  EXPECT_FALSE(p.c.AddRows(cancelled, [&](int64_t n) {
    told.push_back(n);
    return false;
  }));
  EXPECT_EQ(told, (std::vector<int64_t>{4096}));
  EXPECT_EQ(p.State(), before);

  MemoryRows meddled({"Nome", "Prov"}, many);
  EXPECT_THROW(p.c.AddRows(meddled,
                           [&](int64_t) {
                             p.c.ListItem("Nome", Variant("x"));
                             p.c.ListItem("Prov", Variant("y"));
                             p.c.AddItem();  // refused while the fill runs
                             return true;
                           }),
               Error);
  EXPECT_EQ(p.c.Record_Count(), 1);

  MemoryRows whole({"Nome", "Prov"}, many);
  EXPECT_TRUE(p.c.AddRows(whole, [](int64_t) { return true; }));
  EXPECT_EQ(p.c.Record_Count(), 10001);
  EXPECT_EQ(p.Lista().MaxIndex(), 10001);
  EXPECT_EQ(p.c.Text(), "Roma");
}

}  // namespace
}  // namespace cbo
