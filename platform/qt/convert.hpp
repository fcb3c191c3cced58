#pragma once
// Conversions between the logic's values and Qt's: twips and pixels, colour
// values and the palette, font objects, UTF-8 text and UTF-16 positions.
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <cstdint>
#include <string>

#include "platform/colour.hpp"
#include "platform/font.hpp"

namespace cbo::qt {

constexpr double kTwipsPerPixel = 15;

// Pixels from twips: rounded to nearest, halves away from zero.
int ToPixels(double twips);
double ToTwips(int pixels);
// The same for a control drawn `scale` times its nominal size: a twip is then
// `scale` times as many pixels.
int ToPixels(double twips, double scale);
double ToTwips(int pixels, double scale);

// An RGB value (0x00BBGGRR) as it is; a system colour (high bit set) from the
// palette's role for that index.
QColor ResolveColour(Colour c, const QPalette& palette);

QFont ToQFont(const Font& f, const QFont& base);
// The font drawn `scale` times its nominal size.
QFont ToQFont(const Font& f, const QFont& base, double scale);
FontRef FromQFont(const QFont& f);

QString ToQString(const std::string& utf8);
std::string FromQString(const QString& s);
// A position in characters (code points) from one in UTF-16 units, and back.
int32_t CharsFromUnits(const QString& s, int units);
int UnitsFromChars(const QString& s, int32_t chars);

}  // namespace cbo::qt
