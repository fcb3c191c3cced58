#pragma once
// The demo's unattended tour: it types into each style, opens the grid,
// searches by typing, sorts by a header and chooses a row, filters, opens
// the live list at its last row, writing a PNG
// screenshot of each step into a folder. The grid window is modal, so the
// steps inside it run from zero-time timers queued before it opens.
#include <QObject>
#include <QString>
#include <QStringList>

namespace cbo::demo {

class DemoWindow;

class Tour : public QObject {
public:
  Tour(DemoWindow& window, QString dir);
  // Queues the first step; the application quits after the last one.
  void Start();
  const QStringList& Shots() const { return shots_; }
  const QStringList& Errors() const { return errors_; }

private:
  void Shot(const QString& name);
  void TypeInto(QWidget* target, const QString& text);
  void Key(QWidget* target, int key);
  void Click(QWidget* target, QPoint at, Qt::MouseButton button);
  void InTheGrid();
  void InTheFilteredGrid();
  void InTheLiveGrid();
  DemoWindow& window_;
  QString dir_;
  QStringList shots_;
  QStringList errors_;
};

}  // namespace cbo::demo
