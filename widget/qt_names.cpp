#include "widget/qt_names.hpp"

namespace cbo::widget {

std::span<const QtNamedProperty> QtNamedProperties() {
  // currentText follows the text box and currentKey the choice itself; the
  // widget tells those from there.
  static const QtNamedProperty kTable[] = {
      {"Value", "currentValue"},    {"ListIndex", "currentValue"},      {"Bound_Column", "currentValue"},
      {"StileCbo", "currentValue"}, {"Text_Column", "textColumn"},      {"Bound_Column", "boundColumn"},
      {"StileCbo", "comboStyle"},   {"Rows_Count", "visibleRows"},      {"AltezzaIntest", "headerHeight"},
      {"ForeColor", "textColor"},   {"BackColor", "backgroundColor"},   {"ColoreSfondoGrid", "gridBackgroundColor"},
      {"FilterMode", "filterMode"}, {"FilterColumns", "filterColumns"},
  };
  return kTable;
}

}  // namespace cbo::widget
