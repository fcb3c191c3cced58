#pragma once
// The demo keeps the settings of its three controls in one property file,
// each control's names behind its own prefix ("ComboBox_Text = ...").
#include <string>
#include <vector>

#include "platform/container.hpp"
#include "platform/property_file.hpp"

namespace cbo::demo {

// A control's view of its part of a shared property file.
class PrefixedBag : public IPropertyBag {
public:
  PrefixedBag(PropertyFile& file, std::string prefix) : file_(file), prefix_(std::move(prefix)) {}
  Variant Read(const std::string& name, const Variant& defaultValue) override;
  void Write(const std::string& name, const Variant& value, const Variant& defaultValue) override;

private:
  PropertyFile& file_;
  std::string prefix_;
};

struct ControlloSalvato {
  std::string Prefisso;  // "TextBox", "ComboBox", "ListCombo"
  IControlSite* Controllo;
};

// Writes every control's settings, then the file at once.
void SalvaImpostazioni(const std::string& path, const std::vector<ControlloSalvato>& controlli);
// Reads the file, then each control's settings in turn; an error names the
// file and the line of the entry the control refused.
void CaricaImpostazioni(const std::string& path, const std::vector<ControlloSalvato>& controlli);

}  // namespace cbo::demo
