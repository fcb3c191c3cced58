#include "qt_sql/variant_text.hpp"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "platform/variant.hpp"

namespace cbo {

namespace {

// The Julian day of 1899-12-30, the first day of the table's date numbering.
constexpr qint64 kDayZero = 2415019;

void appendUtf8(RowBuffer& rows, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  rows.AppendText(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

void appendDate(RowBuffer& rows, const QDate& date) {
  if (!date.isValid()) {
    rows.AppendNull();
    return;
  }
  rows.AppendText(ToText(Variant(DateValue{static_cast<double>(date.toJulianDay() - kDayZero)}), "date"));
}

}  // namespace

bool appendValue(RowBuffer& rows, const QVariant& value) {
  if (value.isNull()) {
    rows.AppendNull();
    return true;
  }
  switch (value.typeId()) {
    case QMetaType::Bool: rows.AppendText(value.toBool() ? "True" : "False"); return true;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong: rows.AppendInteger(value.toLongLong()); return true;
    case QMetaType::UChar:
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: rows.AppendText(std::to_string(value.toULongLong())); return true;
    case QMetaType::Float: rows.AppendText(FormatNumber(value.toFloat())); return true;
    case QMetaType::Double: rows.AppendReal(value.toDouble()); return true;
    case QMetaType::QString: appendUtf8(rows, value.toString()); return true;
    case QMetaType::QDate: appendDate(rows, value.toDate()); return true;
    case QMetaType::QDateTime: appendDate(rows, value.toDateTime().date()); return true;
    case QMetaType::QTime: {
      const QTime time = value.toTime();
      appendUtf8(rows, time.toString(time.msec() == 0 ? Qt::ISODate : Qt::ISODateWithMs));
      return true;
    }
    case QMetaType::QByteArray: return false;
    default:
      if (!value.canConvert<QString>()) return false;
      appendUtf8(rows, value.toString());
      return true;
  }
}

}  // namespace cbo
