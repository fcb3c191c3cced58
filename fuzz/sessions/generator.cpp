#include "fuzz/sessions/generator.hpp"

#include <cstdio>

#include "control/type_library.hpp"
#include "platform/literal.hpp"
#include "platform/text.hpp"

namespace cbo::sessions {

namespace {

using Strings = std::vector<std::string>;

// Texts that have tripped text handling somewhere: accents, case folding that
// changes length, quotes of both kinds, wildcards, control characters, bytes
// that are not UTF-8, characters beyond the BMP, numbers and keywords as text.
const Strings kTexts = {"Roma", "Milano", "Napoli", "Torino", "Città", "città", "CITTÀ", "Straße", "STRASSE", "È", "è",
                        "dell'Acqua", "O''Brien", "say \"hi\"", "a b", "  ", "", "*", "Ro*", "%", "_", "1", "0", "-1",
                        "2.5", "True", "Null",
                        // Line breaks would break the printed output into lines (a scenario prints
                        // a string as it is); other control characters and stray bytes do not.
                        "\t", "a\x01b", "\x1f", "\x01", "\xff", "\xc3", "\xF0\x9F\x98\x80", "\xEF\xAC\x81", "İstanbul",
                        "ǅ", "Σίσυφος", "ﬀ", "Ⅻ", "ΐ"};

const Strings kFieldNames = {"Nome", "Codice", "Città", "A",    "b",    "Descrizione",       "x'y",
                             "a b",  "",       "(",     "Nome", "NOME", "_Index_Cmbo_Varno_"};

const Strings kKeys = {"Backspace", "Enter", "Escape", "Delete", "Left",     "Up", "Right",
                       "Down",      "Home",  "End",    "PageUp", "PageDown", "Tab"};
const Strings kGridKeys = {"Enter", "Escape", "Backspace", "Down", "Up", "PageDown", "PageUp", "Home", "End"};

// Published properties with the values worth trying for each.
const Strings kProperties = {"Font",        "TipoPulsante", "StileCbo",      "ForeColor",         "BackColor",
                             "Appearance",  "BorderStyle",  "Alignment",     "Separatore_Record", "Record_Selector",
                             "Text_Column", "Bound_Column", "Rows_Count",    "Visualizza_Fields", "Font_Grid",
                             "Value",       "Text",         "ListIndex",     "Griglia_Centrata",  "Enabled",
                             "Locked",      "RowHeight",    "AltezzaIntest", "ColoreSfondoGrid"};

// What `print` reads besides the properties (never the staged row, the
// selected index or the last text: their paths are changing).
const Strings kMembers = {"OkSelezioneAvvenuta",
                          "StileAttivo",
                          "NumMtCol",
                          "MaxIndex",
                          "Larghezza_Colonne",
                          "Text_Col",
                          "Bound_Col",
                          "PosizioneCursore",
                          "NonMostrareLista",
                          "UltimoTestoNotificato",
                          "Abilitato",
                          "Bloccato",
                          "AltezzaIntestazione",
                          "RecSel",
                          "SepRec",
                          "Rows_Col",
                          "ColGriglia",
                          "ColTesto",
                          "Vis_Fields",
                          "ColSfondoGriglia",
                          "GrigliaAlCentro",
                          "Font_Griglia",
                          "Matrice_Campi",
                          "Fields",
                          "CurrentRow",
                          "Width",
                          "Height",
                          "Txt_Cbo.Text",
                          "Txt_Cbo.SelStart",
                          "Txt_Cbo.SelLength",
                          "Txt_Cbo.Width",
                          "Txt_Cbo.Focused",
                          "Txt_Cbo.Visible",
                          "Txt_Cbo.Locked",
                          "Cmd_List.Visible",
                          "Cmd_List.Left",
                          "Cmd_List.Picture",
                          "Pct_Text.Width",
                          "Pct_Text.Height"};
const Strings kModule1 = {"GrigliaAperta", "AltezzaRigaGriglia", "RettLeft",           "RettTop",        "RettRight",
                          "RettBottom",    "SpessoreRiga",       "CaricamentoInCorso", "CriterioRicerca"};
const Strings kGridPaths = {"Left",
                            "Top",
                            "Width",
                            "Height",
                            "FaseRicerca",
                            "UltimoCarattere",
                            "CampoRicerca",
                            "BloccaInseguimento",
                            "PrimoMovimento",
                            "PosizioneLeft",
                            "LarghezzaGriglia",
                            "AltezzaGriglia",
                            "MSF.Row",
                            "MSF.RowHeight",
                            "MSF.Height",
                            "MSF.ColumnCount",
                            "T_Trova.Enabled",
                            "Pct_Field.Count",
                            "Lbl_Field.Count",
                            "Pct1.Height"};

const Strings kEvents = {"Click",     "DblClick",  "KeyDown", "KeyPress", "KeyUp",
                         "MouseDown", "MouseMove", "MouseUp", "Change"};

std::string EnumName(const std::string& enumeration, size_t pick) {
  for (const EnumInfo& e : Library().Enums)
    if (e.Name == enumeration) return e.Values[pick % e.Values.size()].first;
  return "0";
}

}  // namespace

Generator::Generator(uint64_t seed, int steps, int controls, const Switches& switches, const Checker& checker)
    : state_(seed), steps_(steps), switches_(switches), checker_(checker) {
  const char* names[] = {"a", "b", "c"};
  for (int i = 0; i < controls && i < 3; ++i) controls_.push_back(names[i]);
}

uint64_t Generator::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

size_t Generator::Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(Next() % n); }

bool Generator::Chance(int percent) { return static_cast<int>(Below(100)) < percent; }

std::string Generator::Text() {
  if (Chance(65)) return Pick(kTexts);
  if (Chance(10)) return std::string(95 + Below(10), Chance(50) ? 'a' : 'Z');  // about the 100 limit
  std::string s;
  const size_t n = Below(8);
  static const Strings letters = {"a", "b", "c", "R", "M", "N", "é", "'", "*", " ", "0", "\""};
  for (size_t i = 0; i < n; ++i) s += Chance(80) ? Pick(letters) : Pick(kTexts);
  return s;
}

std::string Generator::Quoted() { return QuoteText(Text()); }

// A text every character of which fits 16 bits, as typing needs.
std::string Generator::TypedText() {
  std::u32string chars = text::Decode(Text());
  std::u32string kept;
  for (char32_t c : chars)
    if (c <= 0xFFFF) kept.push_back(c);
  if (kept.size() > 6) kept.resize(6);
  return text::Encode(kept);
}

std::string Generator::Whole() {
  static const Strings values = {"0",     "1",     "-1",     "2",          "7",           "100",  "255", "256",
                                 "32767", "32768", "-32769", "2147483647", "-2147483648", "1000", "300", "225"};
  if (Chance(50)) return std::to_string(static_cast<int64_t>(Below(400)) - 20);
  return Pick(values);
}

std::string Generator::Number() {
  static const Strings values = {"2.5", "-0.75", "1e-05", "3e+09",  "1e+20", "nan",
                                 "inf", "-inf",  "0.5",   "1000.5", "-0",    "4294967296"};
  return Chance(60) ? Whole() : Pick(values);
}

// A width or height in twips: mostly ordinary, sometimes at the ends of the
// range a Long can hold, or no number at all.
std::string Generator::Size() {
  static const Strings extreme = {"-2147483648", "2147483647", "1e+20", "-1e+20", "nan", "inf", "4294967296"};
  if (switches_.extremeSizes && Chance(8)) return Pick(extreme);
  if (Chance(10)) return std::to_string(static_cast<int64_t>(Below(2000)) - 1000);
  return std::to_string(Below(6000));
}

std::string Generator::Colour() {
  static const Strings system = {"&H80000005", "&H80000008", "&H8000000F", "&H80000012", "&H800000FF", "&HFFFFFFFF"};
  if (Chance(30)) return Pick(system);
  char buf[16];
  std::snprintf(buf, sizeof buf, "&H%08X", static_cast<unsigned>(Next() & 0xFFFFFFFFu));
  return buf;
}

std::string Generator::AnyValue() {
  switch (Below(9)) {
    case 0:
    case 1: return Quoted();
    case 2: return Whole();
    case 3: return Number();
    case 4: return Colour();
    case 5: return Pick(Strings{"True", "False", "Empty", "Null", "Missing"});
    case 6: return Pick(Strings{"f1", "f2", "f3"});
    case 7: return EnumName(Library().Enums[Below(Library().Enums.size())].Name, Below(20));
    default: return Quoted();
  }
}

std::string Generator::PropertyValue(const std::string& p) {
  if (Chance(8)) {  // a value of the wrong kind or range (never Missing: a let needs its value)
    const std::string v = AnyValue();
    return v == "Missing" ? "Empty" : v;
  }
  if (p == "Font" || p == "Font_Grid") return Pick(Strings{"f1", "f2", "f3"});
  if (p == "TipoPulsante") return Chance(70) ? EnumName("TipoPulsante", Below(14)) : Whole();
  if (p == "StileCbo") return Chance(85) ? EnumName("StileCbo", Below(3)) : Whole();
  if (p == "ForeColor" || p == "BackColor" || p == "ColoreSfondoGrid") return Colour();
  if (p == "Appearance") return EnumName("ApparenceVrn", Below(2));
  if (p == "BorderStyle") return EnumName("BorderStyleVrn", Below(2));
  if (p == "Alignment") return EnumName("AgglignVrn", Below(3));
  if (p == "Separatore_Record") return EnumName("Tipo_Separatore_Celle", Below(7));
  if (p == "Text_Column" || p == "Bound_Column") {
    const std::string field = FieldOf(Control());
    return Chance(75) && !field.empty() ? QuoteText(field) : Pick(Strings{"\"1\"", "\"\"", Quoted()});
  }
  if (p == "Rows_Count") return Chance(80) ? std::to_string(Below(20)) : Whole();
  if (p == "Value" || p == "Text") return Quoted();
  if (p == "ListIndex") return std::to_string(static_cast<int64_t>(Below(12)) - 2);
  if (p == "RowHeight" || p == "AltezzaIntest") return Chance(70) ? std::to_string(Below(800)) : Whole();
  return Pick(Strings{"True", "False", "-1", "0", "\"True\""});  // the truth values
}

// Mostly the control the last steps used: runs of work on one control let
// its table grow between the steps that the controls share.
std::string Generator::Control() {
  if (current_.empty() || Chance(4)) current_ = Pick(controls_);
  return Chance(85) ? current_ : Pick(controls_);
}

// One of the control's fields as the checker last read them (or any name).
std::string Generator::FieldOf(const std::string& control) {
  const Checker::Control* c = checker_.Find(control);
  if (!c || c->fields.empty() || Chance(5)) return Pick(kFieldNames);
  return Pick(c->fields);
}

// Reads the count after a row operation, and the fields (which the rows of
// later steps use) after a change of columns.
void Generator::RowsChanged(const std::string& c, bool fields, std::vector<std::string>& out) {
  if (switches_.rows) out.push_back("call " + c + ".Record_Count");
  if (fields) out.push_back("print " + c + ".Fields");
}

void Generator::Setup(std::vector<std::string>& out) {
  out.push_back("font f1 \"DejaVu Sans\" 8.25");
  out.push_back("font f2 \"DejaVu Serif\" 12 bold italic");
  out.push_back("font f3 " + Quoted() + " " + Pick(Strings{"1e-04", "100000", "0", "9", "-3"}) + " underline");
  for (const std::string& c : controls_) {
    out.push_back("new " + c);
    out.push_back("at " + c + " " + std::to_string(Below(9000)) + " " + std::to_string(Below(9000)));
    out.push_back("let " + c + ".StileCbo = " + EnumName("StileCbo", 1 + Below(2)));
    const size_t fields = 1 + Below(3);
    for (size_t f = 0; f < fields; ++f)
      out.push_back("call " + c + ".AddField " +
                    QuoteText(Pick(Strings{"Nome", "Codice", "Città", "Zona"}) + std::to_string(f)));
    out.push_back("print " + c + ".Fields");
  }
}

void Generator::HostStep(std::vector<std::string>& out) {
  const std::string c = Control();
  switch (Below(20)) {
    case 0:
    case 1:
    case 2: {
      const std::string p = Pick(kProperties);
      out.push_back("let " + c + "." + p + " = " + PropertyValue(p));
      break;
    }
    case 3:
      if (Chance(15))
        out.push_back("print Module1." + Pick(kModule1));
      else
        out.push_back("print " + c + "." + (Chance(50) ? Pick(kProperties) : Pick(kMembers)));
      break;
    case 4: {
      // A column, with any of its optional arguments; rarer once the session
      // is under way, so that the tables grow.
      if (step_ > 200 && Chance(70)) {
        AddRows(c, 1, out);
        break;
      }
      std::string line = "call " + c + ".AddField " +
                         QuoteText(Chance(70) ? Pick(kFieldNames) + std::to_string(Below(4)) : Pick(kFieldNames));
      const size_t extra = Below(10);
      const std::string kinds[] = {"text", "bool", "width", "sep", "text", "align", "bool", "bool", "bool"};
      for (size_t i = 0; i < extra; ++i) {
        if (Chance(8)) {
          line += " Missing";
          continue;
        }
        const std::string& k = kinds[i];
        if (k == "text")
          line += " " + Quoted();
        else if (k == "bool")
          line += Chance(90) ? Pick(Strings{" True", " False"}) : " " + AnyValue();
        else if (k == "width")
          line += " " + (Chance(80) ? std::to_string(Below(3000)) : Number());
        else if (k == "sep")
          line += " " + EnumName("Tipo_Separatore_Celle", Below(7));
        else
          line += " " + EnumName("AllineamentoDati", Below(3));
      }
      out.push_back(line);
      RowsChanged(c, true, out);
      break;
    }
    case 5:
    case 6:
    case 7: AddRows(c, Chance(20) ? 2 + Below(12) : 1, out); break;
    case 8:
      if (Chance(70))
        out.push_back("call " + c + ".ListItem " + QuoteText(FieldOf(c)) + " " + AnyValue());
      else if (Chance(50))
        out.push_back("call " + c + ".ListItem " + QuoteText(FieldOf(c)));
      else {
        out.push_back("call " + c + ".AddItem");
        RowsChanged(c, false, out);
      }
      break;
    case 9: {
      const Checker::Control* k = checker_.Find(c);
      std::string index = std::to_string(static_cast<int64_t>(Below(8)) - 1);
      if (k && !k->possible.empty() && !k->possible.front().indices.empty() && Chance(75)) {
        const auto& live = k->possible.front().indices;
        auto it = live.begin();
        std::advance(it, static_cast<long>(Below(live.size())));
        index = std::to_string(*it);
      }
      out.push_back("call " + c + ".RemoveItem " + index);
      RowsChanged(c, false, out);
      break;
    }
    case 10:
      if (Chance(20)) {
        out.push_back("call " + c + ".Combo_Clear " + Pick(Strings{"Tutto", "Solo_Dati", "Solo_Dati", "7"}));
        RowsChanged(c, true, out);
      } else {
        out.push_back("call " + c + ".ListValue " + QuoteText(FieldOf(c)));
      }
      break;
    case 11:
      out.push_back("resize " + c + " " + Size() + " " + (Chance(70) ? "320" : Size()));
      out.push_back("print " + c + ".Height");
      break;
    case 12:
      if (Chance(40))
        out.push_back("at " + c + " " + Size() + " " + Size());
      else if (Chance(50))
        out.push_back("cursor " + Size() + " " + Size());
      else
        out.push_back("screen " + Pick(Strings{"15360 11520", "9000 6000", "3000 2000"}));
      break;
    case 13:
      if (Chance(50)) {
        std::string line = "font " + Pick(Strings{"f1", "f2", "f3"}) + " " + Quoted() + " " +
                           Pick(Strings{"8.25", "12", "1e-04", "100000", "0", "-1", "nan"});
        for (const char* style : {" bold", " italic", " underline", " strikethrough"})
          if (Chance(30)) line += style;
        out.push_back(line);
      } else {
        out.push_back("ambient " + Pick(Strings{"f1", "f2", "f3"}));
      }
      break;
    case 14:
      if (Chance(50)) {
        std::string line = "events";
        if (Chance(30))
          line += " all";
        else if (Chance(30))
          line += " none";
        else
          for (size_t i = 0, n = 1 + Below(3); i < n; ++i) line += " " + Pick(kEvents);
        out.push_back(line);
      } else {
        out.push_back(std::string("notify ") + (Chance(50) ? "on" : "off"));
      }
      break;
    case 15: {
      // A host handler that changes a by-reference argument.
      const std::string event = Pick(Strings{"KeyPress", "KeyDown", "KeyUp", "MouseDown", "MouseUp", "MouseMove"});
      if (Chance(30)) {
        out.push_back("on " + c + "." + event + " off");
        break;
      }
      std::string arg = event == "KeyPress" ? "KeyAscii"
                        : event[0] == 'K'   ? Pick(Strings{"KeyCode", "Shift"})
                                            : Pick(Strings{"Button", "Shift", "X", "Y"});
      std::string value = Pick(Strings{"0", "13", "27", "8", "40", "65", "1", "-1", "32767", "97"});
      out.push_back("on " + c + "." + event + " " + arg + " = " + value);
      break;
    }
    case 16:
      if (switches_.saveLoad) SaveAndLoad(out);
      break;
    case 17: {
      // Settings crafted by hand read into a new control.
      const std::string bag = "k" + std::to_string(++crafted_);
      for (size_t i = 0, n = 1 + Below(4); i < n; ++i) {
        const std::string p = Pick(kProperties);
        out.push_back("bagset " + bag + " " + p + " " + PropertyValue(p));
      }
      out.push_back("new n" + std::to_string(crafted_) + " load " + bag);
      break;
    }
    default:
      if (switches_.rows) out.push_back("print " + c + ".Rows");
      break;
  }
}

// Rows: every field, now and then one missing, one unknown or a value that
// does not fit; the count is read after each.
void Generator::AddRows(const std::string& c, size_t rows, std::vector<std::string>& out) {
  const Checker::Control* k = checker_.Find(c);
  const std::vector<std::string> fields = k ? k->fields : std::vector<std::string>{};
  for (size_t r = 0; r < rows; ++r) {
    std::string line = "add " + c;
    for (const std::string& field : fields) {
      if (Chance(2)) continue;
      line += " " + QuoteText(Chance(2) ? Pick(kFieldNames) : field);
      line += " " + (Chance(90) ? Quoted() : AnyValue());
    }
    if (fields.empty()) line += " " + QuoteText(Pick(kFieldNames)) + " " + Quoted();
    out.push_back(line);
    RowsChanged(c, false, out);
  }
}

void Generator::SaveAndLoad(std::vector<std::string>& out) {
  const std::string c = Control();
  const std::string n = std::to_string(++saved_);
  out.push_back("save " + c + " s" + n);
  out.push_back("new l" + n + " load s" + n);
  out.push_back("save l" + n + " r" + n);
  out.push_back("bag s" + n);
  out.push_back("bag r" + n);
  for (const std::string& p : kProperties) {
    if (p == "Value" || p == "Text" || p == "ListIndex") continue;  // they look the value up in the rows
    out.push_back("print " + c + "." + p);
    out.push_back("print l" + n + "." + p);
  }
}

void Generator::UserStep(std::vector<std::string>& out) {
  const std::string c = Control();
  switch (Below(14)) {
    case 0:
    case 1: out.push_back("type " + c + " " + QuoteText(TypedText())); break;
    case 2:
    case 3: {
      std::string line = "key " + c + " " + Pick(kKeys);
      if (Chance(15)) line += " shift";
      if (Chance(10)) line += " ctrl";
      if (Chance(10)) line += " alt";
      out.push_back(line);
      break;
    }
    case 4:
      out.push_back("select " + c + " " + std::to_string(static_cast<int64_t>(Below(12)) - 2) + " " +
                    std::to_string(static_cast<int64_t>(Below(12)) - 2));
      break;
    case 5: out.push_back("paste " + c + " " + Quoted()); break;
    case 6: out.push_back(std::string(Chance(70) ? "click " : "dblclick ") + c); break;
    case 7:
      out.push_back("mouse " + c + " " + Pick(Strings{"down", "up", "move"}) + " " +
                    Pick(Strings{"left", "right", "middle", "0", "7"}) + " " + std::to_string(Below(3000)) + " " +
                    std::to_string(Below(400)));
      break;
    case 8: out.push_back(std::string(Chance(60) ? "focus " : "blur ") + c); break;
    case 9:
    case 10:
    case 11: out.push_back("button " + c + (Chance(15) ? " right" : "")); break;
    case 12: out.push_back("key " + c + " Down" + (Chance(50) ? " alt" : "")); break;
    default: out.push_back("wait " + Pick(Strings{"0", "100", "999", "1000", "1500", "2500"})); break;
  }
}

void Generator::GridStep(std::vector<std::string>& out) {
  if (probedHeader_) {
    // The label asked for last step exists when it printed a value.
    const std::string path = "FrmGriglia.Lbl_Field(" + std::to_string(*probedHeader_) + ").Visible";
    const std::string* shown = checker_.JustPrinted(path);
    if (shown) out.push_back("grid header " + std::to_string(*probedHeader_));
    probedHeader_.reset();
    if (shown) return;
  }
  switch (Below(12)) {
    case 0:
    case 1: {
      // A character that closes the window (Enter, Escape) ends the text:
      // typing on into a closed window is a mistake in the scenario.
      std::string typed;
      for (char32_t ch : text::Decode(TypedText()))
        if (ch >= 0x20) typed += text::FromCodePoint(ch);
      if (Chance(10)) typed += Pick(Strings{"\r", "\x1b", "\b"});
      out.push_back("grid type " + QuoteText(typed));
      break;
    }
    case 2:
    case 3:
    case 4: out.push_back("grid key " + Pick(kGridKeys)); break;
    case 5:
      probedHeader_ = static_cast<int>(Below(4));
      out.push_back("print FrmGriglia.Lbl_Field(" + std::to_string(*probedHeader_) + ").Visible");
      break;
    case 6:
    case 7: out.push_back("grid move " + std::to_string(Below(4000)) + " " + std::to_string(Below(3000))); break;
    case 8: out.push_back(std::string("grid click ") + (Chance(80) ? "left" : "right")); break;
    case 9: out.push_back("grid layout"); break;
    default: out.push_back("print FrmGriglia." + Pick(kGridPaths)); break;
  }
}

std::vector<std::string> Generator::NextStep(size_t openWindows) {
  std::vector<std::string> out;
  out.push_back("# step " + std::to_string(step_));
  if (step_ == 0) {
    Setup(out);
  } else if (step_ > steps_) {
    if (openWindows == 0) return {};
    ++closing_;
    out.push_back(closing_ % 3 == 0 ? "grid click left" : closing_ % 3 == 1 ? "grid key Escape" : "grid key Enter");
  } else if (openWindows > 0 && Chance(55)) {
    GridStep(out);
  } else if (Chance(50)) {
    HostStep(out);
  } else {
    UserStep(out);
  }
  ++step_;
  if (switches_.windowFlag) out.push_back("print Module1.GrigliaAperta");
  return out;
}

}  // namespace cbo::sessions
