#include "platform/literal.hpp"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <limits>

namespace cbo {

std::string QuoteText(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    out.push_back(c);
    if (c == '"') out.push_back('"');
  }
  out.push_back('"');
  return out;
}

std::string FormatFont(const FontRef& font) {
  if (!font) return "Nothing";
  std::string out = "Font(" + QuoteText(font->Name) + " " + FormatNumber(font->Size);
  if (font->Bold) out += " bold";
  if (font->Italic) out += " italic";
  if (font->Underline) out += " underline";
  if (font->Strikethrough) out += " strikethrough";
  return out + ")";
}

std::string FormatColour(uint32_t colour) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(colour));
  return buf;
}

std::string FormatLiteral(const Variant& v) {
  switch (v.type()) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Missing: return "Missing";
    case VarType::Boolean: return v.AsBool() ? "True" : "False";
    case VarType::Byte: return std::to_string(v.AsByte());
    case VarType::Integer: return std::to_string(v.AsInteger());
    case VarType::Long: return std::to_string(v.AsLong());
    case VarType::Single: return FormatNumber(v.AsSingle());
    case VarType::Double: return FormatNumber(v.AsDouble());
    case VarType::String: return QuoteText(v.AsString());
    case VarType::Date: return "#" + ToText(v, "date") + "#";
    case VarType::Font: return FormatFont(v.AsFont());
  }
  return "?";
}

namespace {

// A cursor over the literal's text.
struct Lettore {
  std::string_view s;
  size_t i = 0;
  void Spazi() {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  }
  bool Fine() const { return i >= s.size(); }
  std::string_view Parola() {
    size_t b = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t' && s[i] != ')' && s[i] != '(') ++i;
    return s.substr(b, i - b);
  }
  bool Stringa(std::string& out) {
    if (Fine() || s[i] != '"') return false;
    ++i;
    out.clear();
    while (i < s.size()) {
      if (s[i] == '"') {
        if (i + 1 < s.size() && s[i + 1] == '"') {
          out.push_back('"');
          i += 2;
          continue;
        }
        ++i;
        return true;
      }
      out.push_back(s[i++]);
    }
    return false;  // no closing quote
  }
};

bool IsDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

enum class Esito { Ok, NonNumero, FuoriLimite };

Esito Numero(std::string_view w, Variant& value) {
  std::string_view body = (!w.empty() && w[0] == '-') ? w.substr(1) : w;
  size_t dot = body.find('.');
  if (dot == std::string_view::npos) {
    if (!IsDigits(body)) return Esito::NonNumero;
    int64_t v = 0;
    auto r = std::from_chars(w.data(), w.data() + w.size(), v);
    if (r.ec != std::errc() || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
      return Esito::FuoriLimite;
    value = Variant(static_cast<int32_t>(v));
    return Esito::Ok;
  }
  if (!IsDigits(body.substr(0, dot)) || !IsDigits(body.substr(dot + 1))) return Esito::NonNumero;
  double d = 0;
  auto r = std::from_chars(w.data(), w.data() + w.size(), d);
  if (r.ec != std::errc()) return Esito::FuoriLimite;
  value = Variant(d);
  return Esito::Ok;
}

bool Esadecimale(std::string_view w, Variant& value, bool& overflow) {
  std::string_view digits = w.substr(2);
  if (digits.empty()) return false;
  for (char c : digits)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  if (digits.size() > 8) {
    overflow = true;
    return false;
  }
  uint32_t v = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), v, 16);
  value = Variant(static_cast<int32_t>(v));
  return true;
}

bool Carattere(Lettore& r, Variant& value) {
  // Font("Face" SIZE [bold] [italic] [underline] [strikethrough])
  if (r.s.substr(r.i, 5) != "Font(") return false;
  r.i += 5;
  auto font = std::make_shared<Font>();
  r.Spazi();
  if (!r.Stringa(font->Name)) return false;
  r.Spazi();
  std::string_view size = r.Parola();
  Variant n;
  if (Numero(size, n) != Esito::Ok) return false;
  font->Size = ToDouble(n, "font size");
  if (!(font->Size > 0)) return false;
  for (;;) {
    r.Spazi();
    if (r.Fine()) return false;
    if (r.s[r.i] == ')') {
      ++r.i;
      break;
    }
    std::string_view w = r.Parola();
    if (w == "bold") font->Bold = true;
    else if (w == "italic") font->Italic = true;
    else if (w == "underline") font->Underline = true;
    else if (w == "strikethrough") font->Strikethrough = true;
    else return false;
  }
  value = Variant(FontRef(font));
  return true;
}

}  // namespace

bool ParseLiteral(std::string_view text, Variant& value, std::string& error, bool& overflow) {
  overflow = false;
  Lettore r{text};
  r.Spazi();
  const std::string quoted = QuoteText(std::string(text));
  auto fail = [&](const std::string& why) {
    error = why + " in " + quoted;
    return false;
  };
  if (r.Fine()) return fail("no value");
  bool ok = false;
  if (r.s[r.i] == '"') {
    std::string s;
    if (!r.Stringa(s)) return fail("a string without its closing quote");
    value = Variant(s);
    ok = true;
  } else if (r.s.substr(r.i, 5) == "Font(") {
    if (!Carattere(r, value)) return fail("a malformed font (Font(\"Face\" SIZE bold italic underline strikethrough))");
    ok = true;
  } else {
    std::string_view w = r.Parola();
    if (w.size() >= 2 && w[0] == '&' && (w[1] == 'H' || w[1] == 'h')) {
      if (!Esadecimale(w, value, overflow))
        return fail(overflow ? "a hexadecimal number past 32 bits" : "a malformed hexadecimal number");
      ok = true;
    } else if (w == "True" || w == "False") {
      value = Variant(w == "True");
      ok = true;
    } else if (w == "Empty") {
      value = Variant();
      ok = true;
    } else if (w == "Null") {
      value = Variant::Null();
      ok = true;
    } else if (w == "Missing") {
      value = Variant::Missing();
      ok = true;
    } else {
      Esito e = Numero(w, value);
      if (e == Esito::FuoriLimite) {
        overflow = true;
        return fail("a number out of range");
      }
      if (e != Esito::Ok) return fail("an unknown literal");
      ok = true;
    }
  }
  r.Spazi();
  if (ok && !r.Fine()) return fail("text after the value");
  return ok;
}

}  // namespace cbo
