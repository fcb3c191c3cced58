#pragma once
// One value of a Qt SQL row as the table stores it.
#include <QVariant>
#include <optional>
#include <string>

#include "fill/row_buffer.hpp"

namespace cbo {

// The value's text into `text` (nullopt for a null value); false, leaving
// `text` alone, when the value is binary data or has no text.
bool valueText(const QVariant& value, std::optional<std::string>& text);

// Appends the value's text (Null for a null value); false, appending
// nothing, when the value is binary data or has no text.
bool appendValue(RowBuffer& rows, const QVariant& value);

}  // namespace cbo
