// print PATH: the published properties through a property get, and, read
// without side effects, what the properties do not show: the constituents,
// the control's members, the table, the process-wide state and the open grid
// window.
#include <cctype>
#include <optional>

#include "control/type_library.hpp"
#include "grid/frm_griglia.hpp"
#include "host.hpp"
#include "list/list_store.hpp"
#include "platform/error.hpp"
#include "platform/text.hpp"
#include "script_error.hpp"

namespace cbo::script {

namespace {

// A value and the type it is printed as ("Colour" for &H hex).
struct Shown {
  Variant value;
  std::string type;
};
using Maybe = std::optional<Shown>;

Shown Num(double v) { return {Variant(v), ""}; }
Shown Single(float v) { return {Variant(v), ""}; }
Shown Int(int32_t v) { return {Variant(v), ""}; }
Shown Flag(bool v) { return {Variant(v), ""}; }
Shown Str(const std::string& v) { return {Variant(v), ""}; }
Shown Col(Colour c) { return {Variant(static_cast<int32_t>(c)), "Colour"}; }
Shown FontOf(const FontRef& f) { return {Variant(f), ""}; }

bool Is(const std::string& a, const char* b) {
  size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && b[i] == 0;
}

std::vector<std::string> SplitDots(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  for (const auto& p : parts)
    if (p.empty()) Mistake("bad path " + path);
  return parts;
}

// "Columns(2)" → "Columns" and 2; false when the part has no index.
bool Indexed(const std::string& part, std::string& name, int32_t& index) {
  size_t open = part.find('(');
  if (open == std::string::npos || part.back() != ')') return false;
  name = part.substr(0, open);
  Token t{Token::Word, part.substr(open + 1, part.size() - open - 2)};
  index = ParseInteger(t);
  return true;
}

Maybe WidgetValue(const IWidget& w, const std::string& x) {
  if (Is(x, "Left")) return Num(w.Left());
  if (Is(x, "Top")) return Num(w.Top());
  if (Is(x, "Width")) return Num(w.Width());
  if (Is(x, "Height")) return Num(w.Height());
  if (Is(x, "Visible")) return Flag(w.Visible());
  return std::nullopt;
}

Maybe TextBoxValue(const ITextBox& t, const std::string& x) {
  if (Is(x, "Text")) return Str(t.Text());
  if (Is(x, "Tag")) return Str(t.Tag());
  if (Is(x, "SelStart")) return Int(t.SelStart());
  if (Is(x, "SelLength")) return Int(t.SelLength());
  if (Is(x, "Enabled")) return Flag(t.Enabled());
  if (Is(x, "Locked")) return Flag(t.Locked());
  if (Is(x, "Focused")) return Flag(t.Focused());
  if (Is(x, "Font")) return FontOf(t.Font());
  if (Is(x, "ForeColor")) return Col(t.ForeColor());
  if (Is(x, "BackColor")) return Col(t.BackColor());
  if (Is(x, "Alignment")) return Int(t.Alignment());
  return WidgetValue(t, x);
}

Maybe ButtonValue(const IButton& b, const std::string& x) {
  if (Is(x, "Picture")) return Int(b.GetPicture() ? b.GetPicture()->Number : 0);
  if (Is(x, "Caption")) return Str(b.Caption());
  if (Is(x, "Font")) return FontOf(b.Font());
  return WidgetValue(b, x);
}

Maybe PictureBoxValue(const IPictureBox& p, const std::string& x) {
  if (Is(x, "BackColor")) return Col(p.BackColor());
  if (Is(x, "ForeColor")) return Col(p.ForeColor());
  if (Is(x, "Appearance")) return Int(p.Appearance());
  if (Is(x, "BorderStyle")) return Int(p.BorderStyle());
  return WidgetValue(p, x);
}

Maybe LabelValue(const ILabel& l, const std::string& x) {
  if (Is(x, "BackColor")) return Col(l.BackColor());
  if (Is(x, "Caption")) return Str(l.Caption());
  if (Is(x, "MousePointer")) return Int(l.MousePointer());
  return WidgetValue(l, x);
}

Maybe ConfigValue(const GridConfig& g, const std::string& x) {
  if (Is(x, "AltezzaIntestazione")) return Int(g.AltezzaIntestazione);
  if (Is(x, "RecSel")) return Flag(g.RecSel);
  if (Is(x, "SepRec")) return Int(g.SepRec);
  if (Is(x, "Rows_Col")) return Int(g.Rows_Col);
  if (Is(x, "ColGriglia")) return Col(g.ColGriglia);
  if (Is(x, "ColTesto")) return Col(g.ColTesto);
  if (Is(x, "Vis_Fields")) return Flag(g.Vis_Fields);
  if (Is(x, "ColSfondoGriglia")) return Col(g.ColSfondoGriglia);
  if (Is(x, "GrigliaAlCentro")) return Flag(g.GrigliaAlCentro);
  if (Is(x, "Font_Griglia")) return FontOf(g.Font_Griglia);
  return std::nullopt;
}

Maybe MemberValue(CboVarno& c, const std::string& x) {
  ListStore& l = c.Lista();
  if (Is(x, "OkSelezioneAvvenuta")) return Flag(l.OkSelezioneAvvenuta());
  if (Is(x, "StileAttivo")) return Int(l.StileAttivo());
  if (Is(x, "NumMtCol")) return Int(l.NumMtCol());
  if (Is(x, "MaxIndex")) return Int(l.MaxIndex());
  if (Is(x, "Larghezza_Colonne")) return Int(l.Larghezza_Colonne());
  if (Is(x, "Text_Col")) return Str(l.Text_Col());
  if (Is(x, "Bound_Col")) return Str(l.Bound_Col());
  if (Is(x, "NonMostrareLista")) return Flag(l.NonMostrareLista());
  if (Is(x, "ValueMemorizzato")) return Str(l.ValueMemorizzato());
  if (Is(x, "ListIndexMemorizzato")) return Int(l.ListIndexMemorizzato());
  if (Is(x, "PosizioneCursore")) return Int(c.PosizioneCursore());
  if (Is(x, "IndiceSelezionato")) return Int(c.IndiceSelezionato());
  if (Is(x, "UltimoTesto")) return Str(c.UltimoTesto());
  if (Is(x, "UltimoTestoNotificato")) return Str(c.UltimoTestoNotificato());
  if (Is(x, "Abilitato")) return Flag(c.Abilitato());
  if (Is(x, "Bloccato")) return Flag(c.Bloccato());
  return ConfigValue(c.Configurazione(), x);
}

Maybe Module1Value(const ProcessState& s, const std::string& x) {
  if (Is(x, "GrigliaAperta")) return Flag(s.GrigliaAperta());
  if (Is(x, "AltezzaRigaGriglia")) return Num(s.AltezzaRigaGriglia());
  if (Is(x, "RettLeft")) return Int(s.RettLeft());
  if (Is(x, "RettTop")) return Int(s.RettTop());
  if (Is(x, "RettRight")) return Int(s.RettRight());
  if (Is(x, "RettBottom")) return Int(s.RettBottom());
  if (Is(x, "SpessoreRiga")) return Num(s.SpessoreRiga());
  if (Is(x, "CaricamentoInCorso")) return Flag(s.CaricamentoInCorso());
  if (Is(x, "CriterioRicerca")) return Str(s.CriterioRicerca());
  if (Is(x, "HwndFrmGriglia")) return Int(s.HwndFrmGriglia());
  if (Is(x, "HwndMSF")) return Int(s.HwndMSF());
  if (Is(x, "HwndPct1")) return Int(s.HwndPct1());
  return std::nullopt;
}

Maybe GridWindowValue(FrmGriglia& g, const std::string& x) {
  if (Is(x, "BackColor")) return Col(g.Form().BackColor());
  if (Is(x, "Left")) return Num(g.Form().Left());
  if (Is(x, "Top")) return Num(g.Form().Top());
  if (Is(x, "Width")) return Num(g.Form().Width());
  if (Is(x, "Height")) return Num(g.Form().Height());
  // The configuration record.
  if (Is(x, "AltezzaIntestazione")) return Int(g.Configurazione().AltezzaIntestazione);
  if (Is(x, "NonMostrareLista")) return Flag(g.Configurazione().NonMostrareLista);
  if (Is(x, "OkSelezioneAvvenuta")) return Flag(g.Configurazione().OkSelezioneAvvenuta);
  if (Is(x, "MaxIndex")) return Int(g.Configurazione().MaxIndex);
  if (Is(x, "Mess")) return Int(g.Configurazione().Mess);
  if (Is(x, "Font_Griglia")) return FontOf(g.Configurazione().Font_Griglia);
  if (Is(x, "AggiungereOrizzontalmente")) return Num(g.Configurazione().AggiungereOrizzontalmente);
  if (Is(x, "AggiungereVerticalmente")) return Num(g.Configurazione().AggiungereVerticalmente);
  if (Is(x, "Larghezza_Colonne")) return Int(g.Configurazione().Larghezza_Colonne);
  if (Is(x, "RecSel")) return Flag(g.Configurazione().RecSel);
  if (Is(x, "SepRec")) return Int(g.Configurazione().SepRec);
  if (Is(x, "Text_Col")) return Str(g.Configurazione().Text_Col);
  if (Is(x, "Bound_Col")) return Str(g.Configurazione().Bound_Col);
  if (Is(x, "Rows_Col")) return Int(g.Configurazione().Rows_Col);
  if (Is(x, "NumMtCol")) return Int(g.Configurazione().NumMtCol);
  if (Is(x, "ColGriglia")) return Col(g.Configurazione().ColGriglia);
  if (Is(x, "ColTesto")) return Col(g.Configurazione().ColTesto);
  if (Is(x, "Vis_Fields")) return Flag(g.Configurazione().Vis_Fields);
  if (Is(x, "TextIntestazioni")) return Str(g.Configurazione().TextIntestazioni);
  if (Is(x, "GrigliaGrassetto")) return Flag(g.Configurazione().GrigliaGrassetto);
  if (Is(x, "MostraLineeGriglia")) return Flag(g.Configurazione().MostraLineeGriglia);
  if (Is(x, "ColLineeGriglia")) return Col(g.Configurazione().ColLineeGriglia);
  if (Is(x, "ColSfondoGriglia")) return Col(g.Configurazione().ColSfondoGriglia);
  if (Is(x, "GrigliaAlCentro")) return Flag(g.Configurazione().GrigliaAlCentro);
  // Private state.
  if (Is(x, "PosizioneLeft")) return Num(g.PosizioneLeft());
  if (Is(x, "PosizioneTop")) return Num(g.PosizioneTop());
  if (Is(x, "LarghezzaGriglia")) return Num(g.LarghezzaGriglia());
  if (Is(x, "AltezzaGriglia")) return Num(g.AltezzaGriglia());
  if (Is(x, "FaseRicerca")) return Int(g.FaseRicerca());
  if (Is(x, "UltimoCarattere")) return Str(g.UltimoCarattere());
  if (Is(x, "CampoRicerca")) return Str(g.CampoRicerca());
  if (Is(x, "BloccaInseguimento")) return Flag(g.BloccaInseguimento());
  if (Is(x, "UltimoMouseX")) return Int(g.UltimoMouseX());
  if (Is(x, "UltimoMouseY")) return Int(g.UltimoMouseY());
  if (Is(x, "PrimoMovimento")) return Flag(g.PrimoMovimento());
  return std::nullopt;
}

Maybe DataGridValue(const IDataGrid& d, const std::string& x) {
  if (Is(x, "RowHeight")) return Single(d.RowHeight());
  if (Is(x, "Row")) return Int(d.Row());
  if (Is(x, "Tag")) return Str(d.Tag());
  if (Is(x, "BackColor")) return Col(d.BackColor());
  if (Is(x, "ForeColor")) return Col(d.ForeColor());
  if (Is(x, "RecordSelectors")) return Flag(d.RecordSelectors());
  if (Is(x, "ColumnHeaders")) return Flag(d.ColumnHeaders());
  if (Is(x, "DividerStyle")) return Int(d.DividerStyle());
  if (Is(x, "HeadLines")) return Single(d.HeadLines());
  if (Is(x, "Font")) return FontOf(d.Font());
  if (Is(x, "ColumnCount")) return Int(d.ColumnCount());
  return WidgetValue(d, x);
}

Maybe ColumnValue(const IGridColumn& c, const std::string& x) {
  if (Is(x, "DataField")) return Str(c.DataField());
  if (Is(x, "Visible")) return Flag(c.Visible());
  if (Is(x, "Width")) return Single(c.Width());
  if (Is(x, "DividerStyle")) return Int(c.DividerStyle());
  if (Is(x, "NumberFormat")) return Str(c.NumberFormat());
  if (Is(x, "Locked")) return Flag(c.Locked());
  if (Is(x, "Alignment")) return Int(c.Alignment());
  if (Is(x, "AllowSizing")) return Flag(c.AllowSizing());
  if (Is(x, "WrapText")) return Flag(c.WrapText());
  return std::nullopt;
}

std::string DefinitionLine(const ColumnDef& d) {
  return "  " + Quote(d.Nome_Field) + " " + Quote(d.NomeColonna) + " " + FormatValue(Variant(d.Visualizza_Colonna)) +
         " " + FormatNumber(d.Larghezza_Colonna) + " " + std::to_string(d.Separatore_Colonna) + " " +
         Quote(d.Formattazione) + " " + std::to_string(d.Allineamento_Colonna) + " " +
         FormatValue(Variant(d.Ridimensiona_Colonna)) + " " + FormatValue(Variant(d.Wrap_Text)) + " " +
         FormatValue(Variant(d.Colonna_Ordinabile));
}

template <class Map>
auto& Element(const Map& elements, const std::string& what, int32_t i) {
  auto it = elements.find(i);
  if (it == elements.end())
    throw Error(ErrorKind::SubscriptOutOfRange,
                "the control array element " + what + "(" + std::to_string(i) + ") does not exist");
  return *it->second;
}

}  // namespace

void Host::Inspect(const std::string& path) {
  std::vector<std::string> parts = SplitDots(path);
  if (Placed* c = FindControl(parts[0])) return InspectControl(*c, path, parts);
  if (parts[0] == "Module1") return InspectModule1(path, parts);
  if (parts[0] == "FrmGriglia") return InspectGrid(path, parts);
  Mistake("unknown control " + parts[0]);
}

void Host::InspectControl(Placed& c, const std::string& path, const std::vector<std::string>& parts) {
  CboVarno& k = *c.control;
  auto show = [&](const Maybe& v) {
    if (!v) Mistake("unknown name " + path);
    Print(path + " = " + FormatTyped(v->value, v->type));
  };
  if (parts.size() == 2) {
    const std::string& name = parts[1];
    if (const MemberInfo* m = FindMember(name)) {
      bool property = m->Kind != MemberKind::Method;
      bool readable = property || !m->ResultType.empty();
      for (const ParamInfo& p : m->Params) readable = readable && (property || p.Optional);
      if (!readable) Mistake(path + " is a method: use call");
      Guarded(path, [&] {
        std::vector<Variant> args;
        Variant v = InvokeOn(c, m->Name, property ? InvokeKind::PropertyGet : InvokeKind::Method, args);
        Print(path + " = " + FormatTyped(v, m->ResultType));
      });
      return;
    }
    if (Is(name, "Rows")) return Guarded(path, [&] { PrintRows(c, path); });
    if (Is(name, "RigaPreparata")) {
      const std::vector<SlotRiga> slots = k.Lista().RigaPreparata();
      Print(path + " =");
      for (const SlotRiga& s : slots) Print("  " + Quote(s.Nome) + " " + FormatValue(s.Valore));
      return;
    }
    if (Is(name, "Matrice_Campi")) {
      const std::vector<ColumnDef> defs = k.Lista().Matrice_Campi();
      Print(path + " =");
      for (const ColumnDef& d : defs) Print(DefinitionLine(d));
      return;
    }
    if (Is(name, "Fields") || Is(name, "CurrentRow")) {
      return Guarded(path, [&] {
        const RecordsetRef& t = k.Lista().Rcset_Cbo();
        if (!t) return Print(path + " = no table");
        if (t->State() != 1) return Print(path + " = closed");
        if (Is(name, "CurrentRow"))
          return Print(path + " = " + (t->Position() < 0 ? "EOF" : FormatValue(t->Field(kIndexField))));
        std::string line = path + " =";
        for (int32_t f = 0; f < t->FieldCount(); ++f) line += " " + Quote(t->FieldName(f));
        Print(line);
      });
    }
    if (Is(name, "Width")) return show(Num(c.container->Width()));
    if (Is(name, "Height")) return show(Num(c.container->Height()));
    return Guarded(path, [&] { show(MemberValue(k, name)); });
  }
  if (parts.size() == 3) {
    const std::string& x = parts[2];
    if (Is(parts[1], "Txt_Cbo")) return Guarded(path, [&] { show(TextBoxValue(k.Txt_Cbo(), x)); });
    if (Is(parts[1], "Cmd_List")) return Guarded(path, [&] { show(ButtonValue(k.Cmd_List(), x)); });
    if (Is(parts[1], "Pct_Text")) return Guarded(path, [&] { show(PictureBoxValue(k.Pct_Text(), x)); });
  }
  Mistake("unknown name " + path);
}

namespace {

// A table's rows in its present order: "* " before the current row, every
// field's value in field order, and "* EOF" when there is no current row.
// The text with each run of its characters wrapped in [[ ]].
std::string Highlighted(const std::string& text, const std::vector<TextRun>& runs) {
  if (runs.empty()) return text;
  const std::u32string chars = text::Decode(text);
  std::u32string marked;
  size_t run = 0;
  for (size_t i = 0; i <= chars.size(); ++i) {
    if (run < runs.size() && static_cast<size_t>(runs[run].start + runs[run].length) == i) {
      marked += U"]]";
      ++run;
    }
    if (run < runs.size() && static_cast<size_t>(runs[run].start) == i) marked += U"[[";
    if (i < chars.size()) marked += chars[i];
  }
  return text::Encode(marked);
}

std::vector<std::string> RowLines(const Recordset& t) {
  const int32_t rows = t.RecordCount(), fields = t.FieldCount(), current = t.Position();
  std::vector<std::string> lines;
  for (int32_t r = 0; r < rows; ++r) {
    std::string line = r == current ? "* " : "  ";
    for (int32_t f = 0; f < fields; ++f) line += (f ? " " : "") + FormatValue(t.ValueAt(r, f));
    lines.push_back(line);
  }
  if (current < 0) lines.push_back("* EOF");
  return lines;
}

}  // namespace

void Host::PrintRows(Placed& c, const std::string& path) {
  const RecordsetRef t = c.control->Lista().Rcset_Cbo();
  if (!t) return Print(path + " = no table");
  if (t->State() != 1) return Print(path + " = closed");
  std::vector<std::string> lines = RowLines(*t);
  Print(path + " = " + std::to_string(t->RecordCount()) + " rows");
  for (const auto& l : lines) Print(l);
}

// The rows the open grid shows, in its order: every row of its table, or
// with the filter on the rows that match, each match wrapped in [[ ]] (none
// when the list was cleared while it is open). A table still being read is
// read to its end first, so that the count is exact.
void Host::PrintShown(FrmGriglia& g, const std::string& path) {
  const RecordsetRef t = g.Rcset_Cbo_Griglia();
  if (!t || t->State() != 1) {
    Print(path + " = 0 of 0 rows");
    return Print("* EOF");
  }
  g.CompleteFilter();
  const DataSourceRef shown = g.Shown();
  const int32_t rows = shown->RecordCount(), fields = shown->FieldCount(), current = shown->Position();
  Print(path + " = " + std::to_string(rows) + " of " + std::to_string(t->RecordCount()) + " rows");
  for (int32_t r = 0; r < rows; ++r) {
    std::string line = r == current ? "* " : "  ";
    for (int32_t f = 0; f < fields; ++f) {
      Variant v = shown->ValueAt(r, f);
      if (v.type() == VarType::String) v = Variant(Highlighted(v.AsString(), shown->Highlights(r, f)));
      line += (f ? " " : "") + FormatValue(v);
    }
    Print(line);
  }
  if (current < 0) Print("* EOF");
}

void Host::InspectModule1(const std::string& path, const std::vector<std::string>& parts) {
  if (parts.size() != 2) Mistake("unknown name " + path);
  Maybe v = Module1Value(shared_, parts[1]);
  if (!v) Mistake("unknown name " + path);
  Print(path + " = " + FormatTyped(v->value, v->type));
}

void Host::InspectGrid(const std::string& path, const std::vector<std::string>& parts) {
  FrmGriglia& g = OpenGrid("print " + path);
  auto show = [&](const Maybe& v) {
    if (!v) Mistake("unknown name " + path);
    Print(path + " = " + FormatTyped(v->value, v->type));
  };
  std::string name;
  int32_t index = 0;
  bool indexed = parts.size() >= 2 && Indexed(parts[1], name, index);
  if (!indexed) name = parts[1 < parts.size() ? 1 : 0];

  if (parts.size() == 2) {
    if (Is(name, "Shown")) return Guarded(path, [&] { PrintShown(g, path); });
    if (Is(name, "FilterText")) return show(Str(g.FilterText()));
    if (Is(name, "Matrice_V")) {
      const std::vector<ColumnDef> defs = g.Matrice_V();
      Print(path + " =");
      for (const ColumnDef& d : defs) Print(DefinitionLine(d));
      return;
    }
    return show(GridWindowValue(g, name));
  }
  if (parts.size() == 3 && !indexed) {
    const std::string& x = parts[2];
    if (Is(name, "MSF")) return Guarded(path, [&] { show(DataGridValue(g.MSF(), x)); });
    if (Is(name, "Pct1")) return Guarded(path, [&] { show(PictureBoxValue(g.Pct1(), x)); });
    if (Is(name, "Form")) return Guarded(path, [&] { show(WidgetValue(g.Form(), x)); });
    if (Is(name, "T_Trova")) {
      if (Is(x, "Enabled")) return show(Flag(g.T_Trova().Enabled()));
      if (Is(x, "Interval")) return show(Int(g.T_Trova().Interval()));
    }
    if (Is(name, "Pct_Field") && Is(x, "Count")) return show(Int(static_cast<int32_t>(g.Pct_Field().size())));
    if (Is(name, "Lbl_Field") && Is(x, "Count")) return show(Int(static_cast<int32_t>(g.Lbl_Field().size())));
  }
  if (parts.size() == 3 && indexed) {
    const std::string& x = parts[2];
    if (Is(name, "Pct_Field"))
      return Guarded(path, [&] { show(PictureBoxValue(Element(g.Pct_Field(), "Pct_Field", index), x)); });
    if (Is(name, "Lbl_Field"))
      return Guarded(path, [&] { show(LabelValue(Element(g.Lbl_Field(), "Lbl_Field", index), x)); });
  }
  if (parts.size() == 4 && Is(name, "MSF")) {
    std::string column;
    int32_t i = 0;
    if (Indexed(parts[2], column, i) && Is(column, "Columns"))
      return Guarded(path, [&] { show(ColumnValue(g.MSF().Column(i), parts[3])); });
  }
  Mistake("unknown name " + path);
}

}  // namespace cbo::script
