#pragma once
// The Qt-named properties whose change signal follows persisted properties:
// when one of those changes (or settings are read), the widget reads the Qt
// property again and emits its NOTIFY signal if the value differs from the
// one it last told. A new Qt-named property is its Q_PROPERTY with a NOTIFY
// signal, and one row here per persisted property that changes it.
#include <span>

namespace cbo::widget {

struct QtNamedProperty {
  const char* Persisted;  // the persisted name, as propertyChanged gives it
  const char* QtName;     // the widget's Qt-named property
};

std::span<const QtNamedProperty> QtNamedProperties();

}  // namespace cbo::widget
