// The picture box on a QFrame: a sunken panel with the 3-D look, a plain box
// when flat, no border at all with border style 0.
#include <QApplication>

#include "platform/qt/widgets.hpp"
#include "platform/qt/widget_base.hpp"

namespace cbo::qt {

Frame::Frame(QWidget* parent) : QFrame(parent), client_(new QWidget(this)) { FitClient(); }

void Frame::FitClient() {
  client_->setGeometry(contentsRect());
  PlaceChildrenAgain(client_);
}

void Frame::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  FitClient();
}

void Frame::changeEvent(QEvent* e) {
  QFrame::changeEvent(e);
  if (e->type() == QEvent::LayoutDirectionChange) PlaceChildrenAgain(client_);
}

QtPictureBox::QtPictureBox(QtPlatform& platform, QWidget* parent) : QtWidget(platform, new Frame(parent)) {
  w_->setAutoFillBackground(true);
  ApplyLook();
  w_->setVisible(true);
}

void QtPictureBox::SetBackColor(Colour c) {
  back_ = c;
  ApplyLook();
}

void QtPictureBox::SetForeColor(Colour c) {
  fore_ = c;
  ApplyLook();
}

void QtPictureBox::SetAppearance(int16_t v) {
  appearance_ = v;
  ApplyLook();
}

void QtPictureBox::SetBorderStyle(int16_t v) {
  border_ = v;
  ApplyLook();
}

void QtPictureBox::ApplyLook() {
  if (!w_) return;
  QPalette p = QApplication::palette(w_);
  const QPalette base = p;
  p.setColor(QPalette::Window, ResolveColour(back_, base));
  p.setColor(QPalette::WindowText, ResolveColour(fore_, base));
  w_->setPalette(p);
  if (border_ == 0) {
    w_->setFrameStyle(QFrame::NoFrame);
  } else if (appearance_ == 1) {
    // The 3-D look: a sunken panel two pixels deep.
    w_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    w_->setLineWidth(2);
  } else {
    w_->setFrameStyle(QFrame::Box | QFrame::Plain);
    w_->setLineWidth(1);
  }
  w_->FitClient();
}

}  // namespace cbo::qt
