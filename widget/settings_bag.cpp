#include "widget/settings_bag.hpp"

#include "platform/error.hpp"
#include "platform/literal.hpp"
#include "platform/qt/convert.hpp"

namespace cbo::widget {

namespace {

QString Key(const std::string& name) { return QString::fromStdString(name); }

}  // namespace

void SettingsBag::Write(const std::string& name, const Variant& value, const Variant&) {
  QVariant v;
  switch (value.type()) {
    case VarType::Boolean: v = value.AsBool(); break;
    case VarType::Byte: v = int(value.AsByte()); break;
    case VarType::Integer: v = int(value.AsInteger()); break;
    case VarType::Long: v = int(value.AsLong()); break;
    case VarType::Single: v = double(value.AsSingle()); break;
    case VarType::Double: v = value.AsDouble(); break;
    case VarType::String: v = qt::ToQString(value.AsString()); break;
    default: v = qt::ToQString(FormatLiteral(value)); break;  // fonts, dates, Empty, Null
  }
  settings_.setValue(Key(name), v);
  written_ << Key(name);
}

Variant SettingsBag::Read(const std::string& name, const Variant& defaultValue) {
  const QVariant v = settings_.value(Key(name));
  if (!v.isValid()) return defaultValue;
  switch (v.typeId()) {
    case QMetaType::Bool: return Variant(v.toBool());
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
      const qlonglong n = v.toLongLong();
      // A colour stored unsigned by another writer keeps its bit pattern.
      if (n > INT32_MAX && n <= UINT32_MAX) return Variant(static_cast<int32_t>(static_cast<uint32_t>(n)));
      return Variant(NarrowToLong(n, name));
    }
    case QMetaType::Double:
    case QMetaType::Float: return Variant(v.toDouble());
    default: break;
  }
  const std::string text = qt::FromQString(v.toString());
  if (defaultValue.type() == VarType::String) return Variant(text);
  Variant parsed;
  std::string error;
  bool overflow = false;
  if (ParseLiteral(text, parsed, error, overflow)) return parsed;
  // Truth values as Qt writes them to text formats.
  if (text == "true") return Variant(true);
  if (text == "false") return Variant(false);
  throw Error(overflow ? ErrorKind::Overflow : ErrorKind::TypeMismatch,
              name + ": the setting " + QuoteExcerpt(text) + " cannot be read: " + error);
}

}  // namespace cbo::widget
