#include "platform/property_file.hpp"

#include <string_view>

#include "platform/error.hpp"
#include "platform/literal.hpp"
#include "platform/settings_disk.hpp"
#include "platform/settings_frame.hpp"

namespace cbo {

namespace {

// Letters, digits and _ (ASCII, whatever the locale says).
bool NomeValido(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (!(letter || (c >= '0' && c <= '9') || c == '_')) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// A name as a message shows it: as it is, or its start when it is long.
std::string Shown(const std::string& name) { return name.size() <= 100 ? name : QuoteExcerpt(name); }

}  // namespace

const PropertyFile::Entry* PropertyFile::Find(const std::string& name) const {
  auto it = index_.find(name);
  return it == index_.end() ? nullptr : &entries_[it->second];
}

void PropertyFile::Add(Entry entry) {
  index_.emplace(entry.Name, entries_.size());
  entries_.push_back(std::move(entry));
}

PropertyFile PropertyFile::Parse(const std::string& text) {
  const SettingsFrame frame = FindSettingsBody(text);
  PropertyFile file;
  std::string_view rest = frame.body;
  int number = frame.firstLine - 1;
  while (!rest.empty()) {
    const size_t feed = rest.find('\n');
    const std::string_view line = rest.substr(0, feed);
    rest = feed == std::string_view::npos ? std::string_view() : rest.substr(feed + 1);
    ++number;
    const std::string_view t = Trim(line);
    if (t.empty() || t[0] == '#') continue;
    const std::string where = "line " + std::to_string(number) + ": ";
    const size_t eq = t.find('=');
    if (eq == std::string_view::npos)
      throw Error(ErrorKind::TypeMismatch, where + "expected Name = VALUE, found " + QuoteExcerpt(t));
    const std::string name(Trim(t.substr(0, eq)));
    if (!NomeValido(name))
      throw Error(ErrorKind::TypeMismatch, where + "the name " + QuoteExcerpt(name) + " is not a property name");
    Variant value;
    std::string error;
    bool overflow = false;
    if (!ParseLiteral(t.substr(eq + 1), value, error, overflow))
      throw Error(overflow ? ErrorKind::Overflow : ErrorKind::TypeMismatch, where + Shown(name) + ": " + error);
    if (value.IsMissing())
      throw Error(ErrorKind::TypeMismatch, where + Shown(name) + ": Missing is not a value a setting can hold");
    if (const Entry* e = file.Find(name))
      throw Error(ErrorKind::TypeMismatch,
                  where + Shown(name) + " is already given on line " + std::to_string(e->Line));
    file.Add(Entry{name, value, number});
  }
  // Comments and blank lines alone are what is left of a file cut or
  // damaged in its header; no file the earlier format wrote held no entry.
  if (!frame.framed && file.entries_.empty())
    throw Error(ErrorKind::TypeMismatch, "the settings file holds no entries: it was cut short or damaged");
  if (frame.framed && file.entries_.size() != frame.entries)
    throw Error(ErrorKind::TypeMismatch, std::to_string(file.entries_.size()) + " entries found, the end line says " +
                                             std::to_string(frame.entries));
  return file;
}

PropertyFile PropertyFile::Load(const std::string& path) {
  const std::string text = ReadSettingsFile(path);
  try {
    return Parse(text);
  } catch (const Error& e) {
    const std::string what = e.what();
    throw Error(e.kind(), path + (what.compare(0, 5, "line ") == 0 ? ", " : ": ") + what);
  }
}

std::string PropertyFile::Text() const {
  std::string out;
  for (const Entry& e : entries_) out += e.Name + " = " + FormatExactLiteral(e.Value, e.Name) + "\n";
  return out;
}

std::string PropertyFile::FileText() const { return FramedSettings(Text(), entries_.size()); }

void PropertyFile::Save(const std::string& path) const { ReplaceSettingsFile(path, FileText()); }

Variant PropertyFile::Read(const std::string& name, const Variant& defaultValue) {
  lastRead_ = name;
  const Entry* e = Find(name);
  return e ? e->Value : defaultValue;
}

void PropertyFile::Write(const std::string& name, const Variant& value, const Variant&) {
  if (!NomeValido(name))
    throw Error(ErrorKind::TypeMismatch,
                "the setting " + QuoteExcerpt(name) + " cannot be written: a name is letters, digits and _");
  FormatExactLiteral(value, Shown(name));  // refuses what has no written form
  Variant kept = value;
  if (value.type() == VarType::Font && value.AsFont()) kept = Variant(std::make_shared<Font>(*value.AsFont()));
  auto it = index_.find(name);
  if (it != index_.end()) {
    entries_[it->second].Value = kept;
    return;
  }
  Add(Entry{name, kept, 0});
}

int PropertyFile::LineOf(const std::string& name) const {
  const Entry* e = Find(name);
  return e ? e->Line : 0;
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
