#include "platform/property_file.hpp"

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/error.hpp"
#include "platform/literal.hpp"

namespace cbo {

namespace {

// Letters, digits and _ (ASCII, whatever the locale says).
bool NomeValido(const std::string& name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!(letter || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

}  // namespace

PropertyFile PropertyFile::Parse(const std::string& text) {
  PropertyFile file;
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    std::string t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    size_t eq = t.find('=');
    if (eq == std::string::npos)
      throw Error(ErrorKind::TypeMismatch, where + "expected Name = VALUE, found " + QuoteText(t));
    std::string name = Trim(t.substr(0, eq));
    if (!NomeValido(name))
      throw Error(ErrorKind::TypeMismatch, where + "the name " + QuoteText(name) + " is not a property name");
    Variant value;
    std::string error;
    bool overflow = false;
    if (!ParseLiteral(t.substr(eq + 1), value, error, overflow))
      throw Error(overflow ? ErrorKind::Overflow : ErrorKind::TypeMismatch, where + name + ": " + error);
    if (value.IsMissing())
      throw Error(ErrorKind::TypeMismatch, where + name + ": Missing is not a value a setting can hold");
    for (const Entry& e : file.entries_)
      if (e.Name == name)
        throw Error(ErrorKind::TypeMismatch,
                    where + name + " is already given on line " + std::to_string(e.Line));
    file.entries_.push_back(Entry{name, value, number});
  }
  return file;
}

PropertyFile PropertyFile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(ErrorKind::Widget, path + ": the settings file cannot be opened");
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return Parse(text.str());
  } catch (const Error& e) {
    throw Error(e.kind(), path + ", " + e.what());
  }
}

std::string PropertyFile::Text() const {
  std::string out;
  for (const Entry& e : entries_) out += e.Name + " = " + FormatExactLiteral(e.Value, e.Name) + "\n";
  return out;
}

void PropertyFile::Save(const std::string& path) const {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << Text();
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      throw Error(ErrorKind::Widget, path + ": the settings file cannot be written");
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    throw Error(ErrorKind::Widget, path + ": the settings file cannot be replaced");
  }
}

Variant PropertyFile::Read(const std::string& name, const Variant& defaultValue) {
  lastRead_ = name;
  for (const Entry& e : entries_)
    if (e.Name == name) return e.Value;
  return defaultValue;
}

void PropertyFile::Write(const std::string& name, const Variant& value, const Variant&) {
  if (!NomeValido(name))
    throw Error(ErrorKind::TypeMismatch,
                "the setting " + QuoteText(name) + " cannot be written: a name is letters, digits and _");
  FormatExactLiteral(value, name);  // refuses what has no written form
  Variant kept = value;
  if (value.type() == VarType::Font && value.AsFont()) kept = Variant(std::make_shared<Font>(*value.AsFont()));
  for (Entry& e : entries_)
    if (e.Name == name) {
      e.Value = kept;
      return;
    }
  entries_.push_back(Entry{name, kept, 0});
}

int PropertyFile::LineOf(const std::string& name) const {
  for (const Entry& e : entries_)
    if (e.Name == name) return e.Line;
  return 0;
}

void ReadPropertiesFromFile(IControlSite& control, const std::string& path) {
  PropertyFile file = PropertyFile::Load(path);
  try {
    control.ReadProperties(file);
  } catch (const Error& e) {
    int line = file.LineOf(file.LastRead());
    std::string where = line > 0 ? path + ", line " + std::to_string(line) + ": " : path + ": ";
    throw Error(e.kind(), where + e.what());
  }
}

void WritePropertiesToFile(IControlSite& control, const std::string& path) {
  PropertyFile file;
  control.WriteProperties(file);
  file.Save(path);
}

}  // namespace cbo
