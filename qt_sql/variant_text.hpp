#pragma once
// One value of a Qt SQL row as the table stores it.
#include <QVariant>

#include "fill/row_buffer.hpp"

namespace cbo {

// Appends the value's text (Null for a null value); false, appending
// nothing, when the value is binary data or has no text.
bool appendValue(RowBuffer& rows, const QVariant& value);

}  // namespace cbo
