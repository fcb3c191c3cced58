#pragma once
// A host window on the offscreen platform with one control over a short list
// of places, and the helpers that play the user inside the modal grid.
#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "control/cbo_varno.hpp"
#include "control/type_library.hpp"
#include "grid/process_state.hpp"
#include "platform/qt/qt_platform.hpp"

namespace cbo::testing {

inline const char* const kComuni[] = {"Roma",    "Rovigo",  "Ragusa",   "Milano", "Monza",   "Cantù",
                                      "Forlì",   "Napoli",  "Novara",   "Torino", "Trento",  "Bari",
                                      "Bologna", "Brescia", "Cagliari", "Como",   "Cosenza", "Èboli"};
inline const char* const kProvince[] = {"RM", "RO", "RG", "MI", "MB", "CO", "FC", "NA", "NO",
                                        "TO", "TN", "BA", "BO", "BS", "CA", "CO", "CS", "SA"};

struct Host {
  explicit Host(uint8_t stile, int rows = 18) : shared(platform) {
    window.resize(500, 120);
    container = new qt::QtContainer(platform, &window);
    container->move(20, 20);
    control = &container->Adopt(CreateObject("CboVarno", *container, shared));
    container->InitProperties();
    container->SetWidth(4500);
    control->SetStileCbo(stile);
    control->AddField("Comune", "Comune", true, 1500, 2);
    control->AddField("Prov", "Provincia", true, 900, 2);
    control->AddField("Codice", "Codice", false, 600, 0, "", 0, false, false, false);
    for (int i = 0; i < rows; ++i) {
      control->ListItem("Comune", Variant(std::string(kComuni[i % 18])));
      control->ListItem("Prov", Variant(std::string(kProvince[i % 18])));
      control->ListItem("Codice", Variant(std::to_string(1000 + i)));
      control->AddItem();
    }
    control->SetText_Column("Comune");
    control->SetBound_Column("Codice");
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
  }
  QLineEdit* Edit() const { return static_cast<QLineEdit*>(qt::WidgetOf(control->Txt_Cbo())); }
  QWidget* Button() const { return qt::WidgetOf(control->Cmd_List()); }
  QWidget* Frame() const { return qt::WidgetOf(control->Pct_Text()); }

  qt::QtPlatform platform;
  ProcessState shared;
  QWidget window;
  qt::QtContainer* container = nullptr;
  CboVarno* control = nullptr;
};

// The drop-down window while it is open, and its grid.
inline QWidget* OpenGrid() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && w->findChild<QTableView*>()) return w;
  }
  return nullptr;
}
inline QTableView* GridView() {
  QWidget* w = OpenGrid();
  return w ? w->findChild<QTableView*>() : nullptr;
}

// Clicks the drop-down button; `inside` runs once the modal window's own
// loop is running and must close it. Returns whether `inside` ran with the
// window open.
inline bool WithGridOpen(Host& h, const std::function<void(QWidget* grid, QTableView* view)>& inside) {
  bool ran = false;
  QTimer::singleShot(0, [&] {
    QWidget* grid = OpenGrid();
    if (!grid) return;
    ran = true;
    inside(grid, grid->findChild<QTableView*>());
    // A failed check leaves the window open: close it so the test goes on.
    if (QTableView* still = GridView()) QTest::keyClick(still, Qt::Key_Escape);
  });
  QTest::mouseClick(h.Button(), Qt::LeftButton, Qt::NoModifier, h.Button()->rect().center());
  return ran;
}

}  // namespace cbo::testing
