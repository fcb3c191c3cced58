#include "platform/headless/headless.hpp"

namespace cbo::headless {

Variant HeadlessPropertyBag::Read(const std::string& name, const Variant& defaultValue) {
  for (const Entry& e : entries_) {
    if (e.Name == name) return e.Value;
  }
  return defaultValue;
}

void HeadlessPropertyBag::Write(const std::string& name, const Variant& value, const Variant& defaultValue) {
  for (Entry& e : entries_) {
    if (e.Name == name) {
      e.Value = value;
      e.Default = defaultValue;
      return;
    }
  }
  entries_.push_back(Entry{name, value, defaultValue});
}

}  // namespace cbo::headless
