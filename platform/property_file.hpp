#pragma once
// A property bag kept in a file, for hosts that save a control's settings on
// disk. The file is UTF-8 text with one line per entry, in the order written:
//     Name = VALUE
// VALUE in the literal forms of platform/literal.hpp, written so that every
// value reads back as the same type and the same value: strings byte for byte
// (control characters and bytes that are not UTF-8 as Chr(N) pieces), numbers
// in every form std::to_chars writes, typed forms where the plain one would
// change the type (Byte(2), Double(1000)), dates, fonts. Blank lines and lines
// starting with # are skipped.
//
// A file is written with a header line before the entries and an end line
// after them (platform/settings_frame.hpp) that give the format's version,
// the number of entries and a checksum: a file cut short or changed after it
// was written is refused whole. A file without the header (the earlier
// format, or a file edited by hand) is read as it always was, its entries
// found by name in any order.
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/container.hpp"

namespace cbo {

class PropertyFile : public IPropertyBag {
public:
  struct Entry {
    std::string Name;
    Variant Value;
    int Line = 0;  // the line it was read from; 0 when written in memory
  };

  // Parses the text of a file, in time linear in its length. A file that is
  // empty, cut short or changed, or any line that cannot be read, is refused
  // with an error that says what is wrong (and names the line), and nothing
  // is kept. No message quotes more than about 100 characters of the text.
  static PropertyFile Parse(const std::string& text);
  // Reads a file (platform/settings_disk.hpp says which are refused before
  // they are parsed); an error names the file, and the line where there is one.
  static PropertyFile Load(const std::string& path);
  // The entry lines alone, in the order written.
  std::string Text() const;
  // The whole file as Save writes it: the header, the entry lines, the end line.
  std::string FileText() const;
  // Replaces the file at `path` with FileText() in one step (ReplaceSettingsFile
  // in platform/settings_disk.hpp): a failure leaves any earlier file as it
  // was and says why.
  void Save(const std::string& path) const;

  Variant Read(const std::string& name, const Variant& defaultValue) override;
  // A name already present is replaced where it stands; fonts are kept as
  // they are at the moment of writing. A name that is not letters, digits and
  // _, or a Missing value, is refused with a TypeMismatch error naming it, and
  // nothing is written.
  void Write(const std::string& name, const Variant& value, const Variant& defaultValue) override;

  const std::vector<Entry>& Entries() const { return entries_; }
  // The name of the last entry read, so that a failed read can point at it.
  const std::string& LastRead() const { return lastRead_; }
  int LineOf(const std::string& name) const;

private:
  const Entry* Find(const std::string& name) const;
  void Add(Entry entry);

  std::vector<Entry> entries_;
  std::unordered_map<std::string, size_t> index_;  // name -> position in entries_
  std::string lastRead_;
};

// Reads a control's settings from a file. The whole file is read, parsed and
// checked first: a file that is refused changes nothing. A value the control
// refuses stops the reading where the control stops it, and the error names
// the file and that entry's line.
void ReadPropertiesFromFile(IControlSite& control, const std::string& path);
// Writes a control's settings to a file (PropertyFile::Save).
void WritePropertiesToFile(IControlSite& control, const std::string& path);

}  // namespace cbo
