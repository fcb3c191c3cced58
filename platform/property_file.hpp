#pragma once
// A property bag kept in a file, for hosts that save a control's settings on
// disk. The file is UTF-8 text with one line per entry, in the order written:
//     Name = VALUE
// VALUE in the literal forms of platform/literal.hpp, written so that every
// value reads back as the same type and the same value: strings byte for byte
// (control characters and bytes that are not UTF-8 as Chr(N) pieces), numbers
// in every form std::to_chars writes, typed forms where the plain one would
// change the type (Byte(2), Double(1000)), dates, fonts. Blank lines and lines
// starting with # are skipped. Entries are found by name, so the order of the
// lines does not matter when reading.
#include <string>
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

  // Parses the text of a file; any line that cannot be read is refused with an
  // error naming the line, and nothing is kept.
  static PropertyFile Parse(const std::string& text);
  // Reads a file; an error names the file and the line.
  static PropertyFile Load(const std::string& path);
  std::string Text() const;
  // Writes the whole file anew; a failure leaves any earlier file as it was.
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
  std::vector<Entry> entries_;
  std::string lastRead_;
};

// Reads a control's settings from a file. A file that cannot be parsed
// changes nothing; a value the control refuses stops the reading where the
// control stops it, and the error names the file and that entry's line.
void ReadPropertiesFromFile(IControlSite& control, const std::string& path);
// Writes a control's settings to a file.
void WritePropertiesToFile(IControlSite& control, const std::string& path);

}  // namespace cbo
