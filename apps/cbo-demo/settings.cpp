#include "apps/cbo-demo/settings.hpp"

#include "platform/error.hpp"

namespace cbo::demo {

Variant PrefixedBag::Read(const std::string& name, const Variant& defaultValue) {
  return file_.Read(prefix_ + "_" + name, defaultValue);
}

void PrefixedBag::Write(const std::string& name, const Variant& value, const Variant& defaultValue) {
  file_.Write(prefix_ + "_" + name, value, defaultValue);
}

void SalvaImpostazioni(const std::string& path, const std::vector<ControlloSalvato>& controlli) {
  PropertyFile file;
  for (const ControlloSalvato& c : controlli) {
    PrefixedBag bag(file, c.Prefisso);
    c.Controllo->WriteProperties(bag);
  }
  file.Save(path);
}

void CaricaImpostazioni(const std::string& path, const std::vector<ControlloSalvato>& controlli) {
  PropertyFile file = PropertyFile::Load(path);
  for (const ControlloSalvato& c : controlli) {
    PrefixedBag bag(file, c.Prefisso);
    try {
      c.Controllo->ReadProperties(bag);
    } catch (const Error& e) {
      const int line = file.LineOf(file.LastRead());
      const std::string where = line > 0 ? path + ", line " + std::to_string(line) + ": " : path + ": ";
      throw Error(e.kind(), where + e.what());
    }
  }
}

}  // namespace cbo::demo
