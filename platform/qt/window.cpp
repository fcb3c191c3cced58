#include "platform/qt/window.hpp"

#include <QApplication>
#include <QCloseEvent>

#include "platform/error.hpp"
#include "platform/qt/grid.hpp"

namespace cbo::qt {

Dialog::Dialog(QtPlatform& platform) : QDialog(nullptr, Qt::Popup | Qt::FramelessWindowHint), platform_(platform) {
  setModal(true);
  setAutoFillBackground(true);
  // The window takes the direction of the control it drops down from, and
  // is mirrored in that control's screen.
  setLayoutDirection(platform.Mirrored() ? Qt::RightToLeft : Qt::LeftToRight);
  setProperty(kMirrorRoom, platform.ScreenRight());
  // Drawn at the scale of that control, its header captions in its font.
  setProperty(kScale, platform.CurrentScale());
  setFont(platform.CurrentFont());
  setSizeGripEnabled(false);
}

void Dialog::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  PlaceChildrenAgain(this);
  // A window keeps its leading edge where the logic put it.
  if (layoutDirection() == Qt::RightToLeft && property("cboLeadingX").isValid()) PlaceLeading(this, LeadingX(this));
}

void Dialog::changeEvent(QEvent* e) {
  QDialog::changeEvent(e);
  if (e->type() == QEvent::LayoutDirectionChange) PlaceChildrenAgain(this);
}

void Dialog::Finish() {
  finishing_ = true;
  done(QDialog::Rejected);
  finishing_ = false;
}

void Dialog::reject() {
  if (finishing_) QDialog::reject();
}

// Qt closes a popup when the user clicks outside it; the window refuses that
// close and has its grid cancel instead, so that the logic unloads it.
void Dialog::closeEvent(QCloseEvent* e) {
  if (finishing_) {
    QDialog::closeEvent(e);
    return;
  }
  e->ignore();
  if (isVisible()) Dismiss();
}

void Dialog::Dismiss() {
  if (auto* view = findChild<GridView*>()) view->Cancel();
}

bool Dialog::event(QEvent* e) {
  const bool result = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate) {
    auto handler = activate;
    if (handler) platform_.Deliver(this, "Window.Activate", handler);
  }
  return result;
}

// A shown window asks to be the active one; its activation handler runs at
// once as well, so that the widget it gives the focus to is the window's
// focus widget whenever the windowing system activates it.
void Dialog::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  activateWindow();
  auto handler = activate;
  if (handler) platform_.Deliver(this, "Window.Activate", handler);
}

QtWindow::QtWindow(QtPlatform& platform) : QtWidget(platform, new Dialog(platform)) { SetBackColor(back_); }

void QtWindow::SetBackColor(Colour c) {
  back_ = c;
  if (!w_) return;
  QPalette p = QApplication::palette(w_);
  p.setColor(QPalette::Window, ResolveColour(c, QApplication::palette(w_)));
  w_->setPalette(p);
}

void QtWindow::ShowModal() {
  if (!loaded_ || !w_) throw Error(ErrorKind::Widget, "ShowModal: the window has been unloaded");
  if (w_->isVisible()) throw Error(ErrorKind::Widget, "ShowModal: the window is already shown");
  QPointer<Dialog> dialog = w_;
  // The window is placed where the logic moved it, not centred by the dialog.
  const QPoint at = dialog->pos();
  dialog->setAttribute(Qt::WA_Moved);
  dialog->move(at);
  dialog->exec();
}

void QtWindow::Unload() {
  loaded_ = false;
  if (w_ && w_->isVisible())
    w_->Finish();
  else if (w_)
    w_->hide();
}

void QtWindow::SetActivate(std::function<void()> handler) {
  if (w_) w_->activate = std::move(handler);
}

}  // namespace cbo::qt
