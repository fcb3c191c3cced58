// The drop-down button on a QToolButton: the button's own face with the
// 11 x 11 picture drawn over its centre, transparent pixels left alone. On a
// dark button face (a dark palette) the picture's dark pixels are drawn
// light, so that the black or blue arrow stays readable.
#include <QImage>
#include <algorithm>
#include <QPainter>

#include "platform/qt/widgets.hpp"

namespace cbo::qt {

namespace {

QImage ImageOf(const Picture& p, bool darkFace) {
  QImage image(11, 11, QImage::Format_ARGB32);
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 11; ++x) {
      QRgb pixel = p.Pixels[y][x];  // both 0xAARRGGBB
      if (darkFace && qAlpha(pixel) != 0) {
        QColor c = QColor::fromRgba(pixel).toHsl();
        const float lightness = std::max(1.0f - c.lightnessF(), 0.7f);
        if (lightness > c.lightnessF()) c.setHslF(c.hslHueF(), c.hslSaturationF(), lightness, c.alphaF());
        pixel = c.rgba();
      }
      image.setPixel(x, y, pixel);
    }
  }
  return image;
}

}  // namespace

ToolButton::ToolButton(QtPlatform& platform, QWidget* parent) : QToolButton(parent), platform_(platform) {
  setFocusPolicy(Qt::NoFocus);
  setAutoRaise(false);
}

void ToolButton::Detach() {
  detached_ = true;
  events_ = ButtonEvents{};
}

void ToolButton::paintEvent(QPaintEvent* e) {
  QToolButton::paintEvent(e);
  if (!picture_) return;
  QPainter painter(this);
  const bool darkFace = palette().color(QPalette::Button).lightness() < 128;
  painter.drawImage(QPoint((width() - 11) / 2, (height() - 11) / 2), ImageOf(*picture_, darkFace));
}

void ToolButton::Mouse(const char* member, const MouseHandler& handler, QMouseEvent* e) {
  e->accept();
  auto h = handler;
  if (!h || detached_) return;
  int16_t button = ButtonsOf(e->button());
  int16_t shift = ShiftOf(e->modifiers());
  const double scale = ScaleOf(this);
  float x = static_cast<float>(e->position().x() * kTwipsPerPixel / scale);
  float y = static_cast<float>(e->position().y() * kTwipsPerPixel / scale);
  platform_.Deliver(this, member, [&] { h(button, shift, x, y); });
}

void ToolButton::mousePressEvent(QMouseEvent* e) {
  QToolButton::mousePressEvent(e);
  Mouse("Button.MouseDown", events_.MouseDown, e);
}

void ToolButton::mouseReleaseEvent(QMouseEvent* e) {
  QToolButton::mouseReleaseEvent(e);
  Mouse("Button.MouseUp", events_.MouseUp, e);
}

QtButton::QtButton(QtPlatform& platform, QWidget* parent)
    : QtWidget(platform, new ToolButton(platform, parent)), font_(MakeFont("DejaVu Sans", 8.25)) {
  w_->setVisible(true);
}

const Picture* QtButton::GetPicture() const { return w_ ? w_->GetPicture() : nullptr; }

void QtButton::SetPicture(const Picture* p) {
  if (!w_) return;
  w_->SetPicture(p);
  w_->update();
}

std::string QtButton::Caption() const { return w_ ? FromQString(w_->text()) : std::string(); }

void QtButton::SetCaption(const std::string& v) {
  if (w_) w_->setText(ToQString(v));
}

void QtButton::SetFont(FontRef f) {
  font_ = std::move(f);
  if (w_ && font_) w_->setFont(ToQFont(*font_, w_->font(), Scale()));
}

void QtButton::SetEvents(ButtonEvents events) {
  if (w_) w_->SetEvents(std::move(events));
}

}  // namespace cbo::qt
