#include "platform/qt/convert.hpp"

#include <cmath>

namespace cbo::qt {

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }

double ToTwips(int pixels) { return pixels * kTwipsPerPixel; }

int ToPixels(double twips, double scale) { return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel)); }

double ToTwips(int pixels, double scale) { return scale == 1 ? ToTwips(pixels) : pixels * kTwipsPerPixel / scale; }

namespace {

// The palette role that plays each system colour index.
QPalette::ColorRole RoleOf(uint32_t index, QPalette::ColorGroup& group) {
  group = QPalette::Active;
  switch (index) {
    case 0: return QPalette::Mid;                                    // scroll bars
    case 1: return QPalette::Dark;                                   // desktop
    case 2: return QPalette::Highlight;                              // active title bar
    case 3: group = QPalette::Inactive; return QPalette::Highlight;  // inactive title bar
    case 4: return QPalette::Window;                                 // menu background
    case 5: return QPalette::Base;                                   // window background
    case 6: return QPalette::Shadow;                                 // window frame
    case 7: return QPalette::WindowText;                             // menu text
    case 8: return QPalette::Text;                                   // window text
    case 9: return QPalette::HighlightedText;                        // title bar text
    case 10: return QPalette::Mid;                                   // active border
    case 11: return QPalette::Midlight;                              // inactive border
    case 12: return QPalette::Dark;                                  // application workspace
    case 13: return QPalette::Highlight;                             // selected items
    case 14: return QPalette::HighlightedText;                       // text of selected items
    case 15: return QPalette::Button;                                // button face
    case 16: return QPalette::Dark;                                  // button shadow
    case 17: group = QPalette::Disabled; return QPalette::Text;      // disabled text
    case 18: return QPalette::ButtonText;                            // button text
    case 19: group = QPalette::Inactive; return QPalette::HighlightedText;
    case 20: return QPalette::Light;     // button highlight
    case 21: return QPalette::Shadow;    // dark 3-D shadow
    case 22: return QPalette::Midlight;  // light 3-D edge
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
  }
}

}  // namespace

QColor ResolveColour(Colour c, const QPalette& palette) {
  if (IsSystemColour(c)) {
    QPalette::ColorGroup group;
    QPalette::ColorRole role = RoleOf(c & 0xFFu, group);
    return palette.color(group, role);
  }
  return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu), static_cast<int>((c >> 16) & 0xFFu));
}

QFont ToQFont(const Font& f, const QFont& base) {
  QFont q = base;
  q.setFamily(ToQString(f.Name));
  if (f.Size > 0) q.setPointSizeF(f.Size);
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  q.setUnderline(f.Underline);
  q.setStrikeOut(f.Strikethrough);
  return q;
}

QFont ToQFont(const Font& f, const QFont& base, double scale) {
  QFont q = ToQFont(f, base);
  if (f.Size > 0) q.setPointSizeF(f.Size * scale);
  return q;
}

FontRef FromQFont(const QFont& q) {
  auto f = std::make_shared<Font>();
  f->Name = FromQString(q.family());
  f->Size = q.pointSizeF() > 0 ? q.pointSizeF() : 8.25;
  f->Bold = q.bold();
  f->Italic = q.italic();
  f->Underline = q.underline();
  f->Strikethrough = q.strikeOut();
  return f;
}

QString ToQString(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& s) { return s.toStdString(); }

int32_t CharsFromUnits(const QString& s, int units) {
  int32_t chars = 0;
  for (int i = 0; i < units && i < s.size(); ++i) {
    // The low half of a surrogate pair belongs to the character before it.
    if (!(s.at(i).isLowSurrogate() && i > 0 && s.at(i - 1).isHighSurrogate())) ++chars;
  }
  return chars;
}

int UnitsFromChars(const QString& s, int32_t chars) {
  int i = 0;
  for (int32_t c = 0; c < chars && i < s.size(); ++c) {
    if (s.at(i).isHighSurrogate() && i + 1 < s.size() && s.at(i + 1).isLowSurrogate())
      i += 2;
    else
      i += 1;
  }
  return i;
}

}  // namespace cbo::qt
