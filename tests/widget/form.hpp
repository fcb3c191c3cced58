#pragma once
// A host's form on the offscreen platform: a label whose buddy is a
// CboVarnoWidget over a short list of places, and a line edit on each side
// of it for the Tab order. Plus the helpers that play the user inside the
// modal drop-down.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>

#include "widget/cbo_varno_widget.hpp"

namespace cbo::testing {

inline const char* const kPlaces[] = {"Roma",    "Rovigo",  "Ragusa",   "Milano", "Monza",   "Cantù",
                                      "Forlì",   "Napoli",  "Novara",   "Torino", "Trento",  "Bari",
                                      "Bologna", "Brescia", "Cagliari", "Como",   "Cosenza", "Èboli"};
inline constexpr int kPlaceCount = 18;

// The _Index_Cmbo_Varno_ of a place: rows are numbered from 1 in the order added.
inline int IndexOf(const char* place) {
  for (int i = 0; i < kPlaceCount; ++i)
    if (QString::fromUtf8(kPlaces[i]) == QString::fromUtf8(place)) return i + 1;
  return 0;
}

struct Form {
  // `filled`: the places as its list; otherwise no columns yet.
  explicit Form(CboVarnoWidget::StileCbo stile, bool filled = true) {
    window.resize(500, 160);
    auto* layout = new QVBoxLayout(&window);
    before = new QLineEdit(&window);
    label = new QLabel(QStringLiteral("&City"), &window);
    cbo = new CboVarnoWidget(&window);
    after = new QLineEdit(&window);
    label->setBuddy(cbo);
    layout->addWidget(before);
    layout->addWidget(label);
    layout->addWidget(cbo);
    layout->addWidget(after);
    cbo->setStileCbo(stile);
    if (filled) Fill();
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
  }
  void Fill() {
    CboVarno& c = cbo->control();
    c.AddField("Place", "Place", true, 1500, Linea_Grigia);
    c.AddField("Code", "Code", true, 900);
    for (int i = 0; i < kPlaceCount; ++i) {
      c.ListItem("Place", Variant(std::string(kPlaces[i])));
      c.ListItem("Code", Variant(std::to_string(1000 + i)));
      c.AddItem();
    }
    cbo->setText_Column(QStringLiteral("Place"));
    cbo->setBound_Column(QStringLiteral("Code"));
  }
  QLineEdit* Edit() const { return qobject_cast<QLineEdit*>(cbo->focusProxy()); }
  QToolButton* Button() const { return cbo->findChild<QToolButton*>(); }

  QWidget window;
  QLineEdit* before = nullptr;
  QLabel* label = nullptr;
  CboVarnoWidget* cbo = nullptr;
  QLineEdit* after = nullptr;
};

// The drop-down's grid while it is open.
inline QTableView* OpenGrid() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible())
      if (auto* view = w->findChild<QTableView*>()) return view;
  }
  return nullptr;
}

// Runs `open`, which must open the drop-down; `inside` runs in its loop and
// must close it. Returns whether `inside` ran with the window open.
inline bool WhileOpen(const std::function<void()>& open, const std::function<void(QTableView* view)>& inside) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    QTableView* view = OpenGrid();
    if (!view) return;
    ran = true;
    inside(view);
    if (QTableView* still = OpenGrid()) QTest::keyClick(still, Qt::Key_Escape);
  });
  open();
  return ran;
}

// Clicks the drop-down button; `inside` runs in the modal window's own loop
// and must close it. Returns whether it ran with the window open.
inline bool WithGridOpen(Form& f, const std::function<void(QTableView* view)>& inside) {
  return WhileOpen([&] { QTest::mouseClick(f.Button(), Qt::LeftButton, Qt::NoModifier, f.Button()->rect().center()); },
                   inside);
}

}  // namespace cbo::testing
