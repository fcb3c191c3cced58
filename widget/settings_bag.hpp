#pragma once
// A control's property bag in a QSettings: each of the 24 names a key of the
// current group. Numbers, truth values and strings are stored as themselves,
// a font in its literal form (Font("DejaVu Sans" 8.25 bold)). Read back from a
// format that keeps only text (INI files), a value is taken by the type of
// its default: text stays text, anything else is read as a literal.
#include <QSettings>

#include "platform/container.hpp"

namespace cbo::widget {

class SettingsBag : public IPropertyBag {
public:
  explicit SettingsBag(QSettings& settings) : settings_(settings) {}
  Variant Read(const std::string& name, const Variant& defaultValue) override;
  void Write(const std::string& name, const Variant& value, const Variant& defaultValue) override;
  // The keys written, in the current group, in the order written.
  const QStringList& Written() const { return written_; }

private:
  QSettings& settings_;
  QStringList written_;
};

}  // namespace cbo::widget
