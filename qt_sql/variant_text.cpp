#include "qt_sql/variant_text.hpp"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "platform/variant.hpp"

namespace cbo {

namespace {

// The Julian day of 1899-12-30, the first day of the table's date numbering.
constexpr qint64 kDayZero = 2415019;

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

std::optional<std::string> dateText(const QDate& date) {
  if (!date.isValid()) return std::nullopt;
  return ToText(Variant(DateValue{static_cast<double>(date.toJulianDay() - kDayZero)}), "date");
}

}  // namespace

bool valueText(const QVariant& value, std::optional<std::string>& text) {
  if (value.isNull()) {
    text.reset();
    return true;
  }
  switch (value.typeId()) {
    case QMetaType::Bool: text = value.toBool() ? "True" : "False"; return true;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: text = std::to_string(value.toLongLong()); return true;
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: text = std::to_string(value.toULongLong()); return true;
    case QMetaType::Float: text = FormatNumber(value.toFloat()); return true;
    case QMetaType::Double: text = FormatNumber(value.toDouble()); return true;
    case QMetaType::QString: text = utf8(value.toString()); return true;
    case QMetaType::QDate: text = dateText(value.toDate()); return true;
    case QMetaType::QDateTime: text = dateText(value.toDateTime().date()); return true;
    case QMetaType::QTime: {
      const QTime time = value.toTime();
      text = utf8(time.toString(time.msec() == 0 ? Qt::ISODate : Qt::ISODateWithMs));
      return true;
    }
    case QMetaType::QByteArray: return false;
    default:
      if (!value.canConvert<QString>()) return false;
      text = utf8(value.toString());
      return true;
  }
}

bool appendValue(RowBuffer& rows, const QVariant& value) {
  std::optional<std::string> text;
  if (!valueText(value, text)) return false;
  if (text)
    rows.AppendText(*text);
  else
    rows.AppendNull();
  return true;
}

}  // namespace cbo
