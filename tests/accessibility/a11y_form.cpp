// A customer order form for the screen-reader test: a labelled control over
// 50,000 customers (name, code, city shown, an internal key hidden) beside a
// plain combo box. Row 43 is Rossi Mario, C0012, Torino; the control starts
// on row 40 with the focus in its text box.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QVBoxLayout>

#include "widget/cbo_varno_widget.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Order form"));
  auto* layout = new QVBoxLayout(&window);
  auto* label = new QLabel(QStringLiteral("&Customer"), &window);
  auto* customer = new cbo::CboVarnoWidget(&window);
  label->setBuddy(customer);
  auto* payment = new QComboBox(&window);
  payment->setAccessibleName(QStringLiteral("Payment"));
  payment->addItems({QStringLiteral("Cash"), QStringLiteral("Card")});
  layout->addWidget(label);
  layout->addWidget(customer);
  layout->addWidget(payment);

  customer->setStileCbo(cbo::CboVarnoWidget::ListCombo);
  customer->setRows_Count(8);
  cbo::CboVarno& c = customer->control();
  c.AddField("Name", "Customer name", true, 1800);
  c.AddField("Code", "Code", true, 900);
  c.AddField("City", "City", true, 1200);
  c.AddField("Key", "Key", false, 600);
  const char* const cities[] = {"Milano", "Roma", "Napoli", "Genova", "Bari"};
  for (int i = 1; i <= 50000; ++i) {
    const bool rossi = i == 43;
    c.ListItem("Name", cbo::Variant(rossi ? std::string("Rossi Mario") : "Customer " + std::to_string(i)));
    c.ListItem("Code", cbo::Variant(rossi ? std::string("C0012") : "K" + std::to_string(100000 + i)));
    c.ListItem("City", cbo::Variant(std::string(rossi ? "Torino" : cities[i % 5])));
    c.ListItem("Key", cbo::Variant(std::to_string(i)));
    c.AddItem();
  }
  customer->setText_Column(QStringLiteral("Name"));
  customer->setBound_Column(QStringLiteral("Key"));
  customer->setListIndex(40);

  window.resize(420, 160);
  window.show();
  window.activateWindow();
  customer->setFocus();
  return app.exec();
}
