// Right-to-left placement: the logic's left edges are kept as distances from
// the leading edge (the right one, right to left), and widgets are placed
// from them again when the room they lie in changes.
#include <QVariant>
#include <QWidget>

#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

namespace {

constexpr const char* kLeading = "cboLeadingX";

// The width a widget is mirrored in: its parent's, or for a window the
// screen's far edge that the platform gave it.
int Room(const QWidget* w) {
  if (w->isWindow()) return w->property(kMirrorRoom).toInt();
  return w->parentWidget() ? w->parentWidget()->width() : 0;
}

bool Mirrored(const QWidget* w) { return w->layoutDirection() == Qt::RightToLeft; }

int ActualX(const QWidget* w, int leading) { return Mirrored(w) ? Room(w) - leading - w->width() : leading; }

}  // namespace

double ScaleOf(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    const QVariant scale = w->property(kScale);
    if (scale.isValid()) return scale.toDouble();
  }
  return 1;
}

int LeadingX(const QWidget* w) {
  const QVariant kept = w->property(kLeading);
  if (kept.isValid()) return kept.toInt();
  return Mirrored(w) ? Room(w) - w->x() - w->width() : w->x();
}

void PlaceLeading(QWidget* w, int leadingX) {
  w->setProperty(kLeading, leadingX);
  w->move(ActualX(w, leadingX), w->y());
}

void PlaceChildrenAgain(QWidget* parent) {
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    const QVariant kept = w->property(kLeading);
    if (kept.isValid()) w->move(ActualX(w, kept.toInt()), w->y());
  }
}

}  // namespace cbo::qt
