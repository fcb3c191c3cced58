#include "list/table/field_store.hpp"

#include "list/recordset.hpp"

namespace cbo::table {

void FieldStore::Append(const std::optional<std::string>& value) {
  if (value) {
    std::string folded = FoldCase(*value);
    text_ += *value;
    folded_ += folded;
  }
  textEnd_.push_back(text_.size());
  foldedEnd_.push_back(folded_.size());
  null_.push_back(value ? 0 : 1);
}

}  // namespace cbo::table
