#pragma once
// CboVarno: a combo box whose drop-down list is a separate window holding a
// multi-column grid with clickable column headers.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "control/enumerations.hpp"
#include "list/enumerations.hpp"
#include "list/row_source.hpp"
#include "platform/colour.hpp"
#include "platform/container.hpp"
#include "platform/font.hpp"
#include "grid/grid_config.hpp"
#include "grid/process_state.hpp"
#include "platform/variant.hpp"
#include "platform/widgets.hpp"

namespace cbo {

class ImageList;
class ListStore;
class Recordset;

// Event numbers of the event interface __CboVarno.
enum EventoCbo : int {
  EvClick = 1,
  EvDblClick = 2,
  EvKeyDown = 3,
  EvKeyPress = 4,
  EvKeyUp = 5,
  EvMouseDown = 6,
  EvMouseMove = 7,
  EvMouseUp = 8,
  EvChange = 9
};

// What made a row the control's choice, as the row-chosen handler is told.
enum class ChoiceSource {
  Host,      // a call of the host: Value, ListIndex, Text, AddItem, a fill
  DropDown,  // the user's pick in the drop-down (Enter, a click)
  Typing     // the user's typing: a row forced in ListCombo, an exact match in ComboBox
};

class CboVarno : public IControlSite {
public:
  // Creates the constituents inside the container and runs the creation handler.
  CboVarno(IContainer& container, ProcessState& shared);
  ~CboVarno() override;
  CboVarno(const CboVarno&) = delete;
  CboVarno& operator=(const CboVarno&) = delete;

  // --- The default interface _CboVarno, in slot order. ---
  int32_t Record_Count();                  // 1
  void AddItem();                          // 2
  void RemoveItem(int32_t Indice_Record);  // 3
  FontRef Font();                          // 4
  void SetFont(FontRef f);
  int32_t TipoPulsante();  // 5
  void SetTipoPulsante(int32_t v);
  int32_t StileCbo();  // 6
  void SetStileCbo(int32_t v);
  Colour ForeColor();  // 7
  void SetForeColor(Colour c);
  Colour BackColor();  // 8
  void SetBackColor(Colour c);
  int32_t Appearance();  // 9
  void SetAppearance(int32_t v);
  int32_t BorderStyle();  // 10
  void SetBorderStyle(int32_t v);
  int32_t Alignment();  // 11
  void SetAlignment(int32_t v);
  void AddField(const std::string& Nome_Field, const std::string& NomeColonna = "",  // 12
                bool Visualizza_Colonna = true, double Larghezza_Colonna = 1000, int32_t Separatore_Colonna = 2,
                const std::string& Formattazione = "", int32_t Allineamento_Colonna = 0,
                bool Ridimensiona_Colonna = false, bool Wrap_Text = false, bool Colonna_Ordinabile = true);
  void Combo_Clear(int32_t Cosa_Cancellare);                                       // 13
  Variant ListItem(const std::string& Field, Variant Value = Variant::Missing());  // 14
  int32_t Separatore_Record();                                                     // 15
  void SetSeparatore_Record(int32_t v);
  bool Record_Selector();  // 16
  void SetRecord_Selector(bool v);
  std::string Text_Column();  // 17
  void SetText_Column(const std::string& v);
  std::string Bound_Column();  // 18
  void SetBound_Column(const std::string& v);
  uint8_t Rows_Count();  // 19
  void SetRows_Count(uint8_t v);
  bool Visualizza_Fields();  // 20
  void SetVisualizza_Fields(bool v);
  FontRef Font_Grid();  // 21
  void SetFont_Grid(FontRef f);
  std::string Value();  // 22
  void SetValue(const std::string& v);
  std::string Text();  // 23
  void SetText(const std::string& v);
  Variant ListValue(const std::string& Current_Field_Value);  // 24
  int32_t ListIndex();                                        // 25
  void SetListIndex(int32_t v);
  bool Griglia_Centrata();  // 26
  void SetGriglia_Centrata(bool v);
  bool Enabled();  // 27
  void SetEnabled(bool v);
  bool Locked();  // 28
  void SetLocked(bool v);
  int32_t RowHeight();  // 29
  void SetRowHeight(int32_t v);
  int16_t AltezzaIntest();  // 30
  void SetAltezzaIntest(int16_t v);
  Colour ColoreSfondoGrid();  // 31
  void SetColoreSfondoGrid(Colour c);
  // The drop-down's filter: its mode (CboFilterMode, list/enumerations.hpp)
  // and the fields it searches (list/filter_columns.hpp).
  int32_t FilterMode() const;  // 32
  void SetFilterMode(int32_t v);
  const std::string& FilterColumns() const;  // 33
  void SetFilterColumns(const std::string& v);

  // --- Bulk fill, beyond the interface: appends every row of `rows` with the
  // results of ListItem for each column and AddItem for each row. When the
  // list has no columns, one is defined per source column (as AddField with
  // only the field name); otherwise each field is filled from the source
  // column of the same name (letter case ignored), other source columns are
  // ignored, and a field the source does not give refuses the fill before any
  // row. Returns false when `progress` cancelled it. ---
  bool AddRows(RowSource& rows, const FillProgress& progress = {});
  // Makes `table` the list, its rows never copied (a live table of a
  // database: sqlite/live_sqlite.hpp, widget/): ends as Combo_Clear and a
  // fill of the same rows would, and leaves the control as it was when it
  // fails. Such a list is read-only (ListStore::AttachTable).
  void AttachTable(std::shared_ptr<Recordset> table);

  // --- Beyond the events, for hosts: `handler` is told once each time a row
  // becomes the control's choice and is shown in the text box (a pick in the
  // drop-down, type-ahead forcing a row in ListCombo, an exact match in
  // ComboBox, Value or ListIndex set by the host, the first row after
  // AddItem), with that row's _Index_Cmbo_Varno_ value. ---
  void SetRowChosenHandler(std::function<void(int32_t listIndex)> handler) { rowChosen_ = std::move(handler); }
  // While the row-chosen handler runs: what made the row the choice.
  ChoiceSource LastChoiceSource() const { return fonteScelta_; }
  // `handler` is told each time the user confirms a row in the drop-down
  // (Enter, a click), the row already chosen too (which commits nothing),
  // after the commit, with the row's _Index_Cmbo_Varno_ value.
  void SetPickHandler(std::function<void(int32_t listIndex)> handler) { picked_ = std::move(handler); }

  // --- What the container calls. ---
  void Resize() override;
  void InitProperties() override;
  void ReadProperties(IPropertyBag& bag) override;
  void WriteProperties(IPropertyBag& bag) override;

  // --- Constituents and members, for hosts that inspect the control. ---
  ITextBox& Txt_Cbo() { return *txt_; }
  IPictureBox& Pct_Text() { return *pct_; }
  IButton& Cmd_List() { return *cmd_; }
  ListStore& Lista() { return *list_; }
  // The control's own settings in the drop-down window's configuration
  // record (its list's fields in it are filled in when the window opens).
  const GridConfig& Configurazione() const { return config_; }
  ProcessState& Shared() { return shared_; }
  // Members, read-only (the convention is in list/list_state.hpp: private
  // `Name_`, read as `Name()`).
  int32_t PosizioneCursore() const { return PosizioneCursore_; }
  // The index of the row the control regards as selected.
  int32_t IndiceSelezionato() const { return IndiceSelezionato_; }
  const std::string& UltimoTesto() const { return UltimoTesto_; }  // the text last taken as the control's text
  const std::string& UltimoTestoNotificato() const { return UltimoTestoNotificato_; }
  bool Abilitato() const { return Abilitato_; }
  bool Bloccato() const { return Bloccato_; }

private:
  // The property table reaches the stored values and constituents.
  friend struct PropertyAccess;

  // Layout and button face.
  void UserControl_Initialize();
  void DisponiControlli();
  void AggiornaFontGriglia();
  // Type-ahead.
  Variant EseguiTextColumn(int32_t mode, std::string& text);
  void Txt_Cbo_Change();
  // The row a ComboBox completion to `risultato` completed: the current row
  // when it holds that text, -1 when none does.
  int32_t RigaCompletata(const std::string& risultato);
  void NotificaChange();
  // Committing a choice, focus and forwarded events.
  void ApplicaScelta();
  // Tells the row-chosen handler that the row is the control's choice.
  void AnnounceChoice(int32_t indice);
  void AdoRec_MoveComplete();
  void Txt_Cbo_GotFocus();
  void Raise(int number, std::span<Variant> args);
  void RaiseKey(int number, int16_t& keyCode, int16_t& shift);
  void RaiseMouse(int number, int16_t& button, int16_t& shift, float& x, float& y);
  // Keyboard.
  void Txt_Cbo_KeyPress(int16_t& KeyAscii);
  void Txt_Cbo_KeyDown(int16_t& KeyCode, int16_t& Shift);
  void Txt_Cbo_KeyUp(int16_t& KeyCode, int16_t& Shift);
  void AnnounceTypedRow();
  // Delete makes no key press: its bookkeeping is done at its key down.
  void RecordDelete();
  // The change of text now being handled is the edit of the key being
  // pressed, made somewhere before the end of the text.
  bool EditInsideText() const;
  // Persistence.
  void DerivaCopieDiLavoro();
  // The search indexes made in idle time.
  void IndiciDaFare();
  void T_Indici_Timer();
  // Opening the drop-down.
  void Cmd_List_MouseUp();
  void ApriLista();
  void MostraGriglia();
  void PassaConfigurazione();
  FrmGriglia& IstanzaGriglia();  // the process's grid window, created when there is none
  // While this control's drop-down is open, the window goes on with the table
  // the list has now (AddField, Combo_Clear and a fill that defines the
  // columns replace it).
  void GridFollowsTable();

  IContainer& container_;
  ProcessState& shared_;
  std::unique_ptr<IPictureBox> pct_;
  std::unique_ptr<ITextBox> txt_;
  std::unique_ptr<IButton> cmd_;
  std::unique_ptr<ITimer> T_Indici_;
  const ImageList& imageList1_;
  std::unique_ptr<ListStore> list_;  // held apart, so that its header stays internal
  GridConfig config_;
  int32_t PosizioneCursore_ = 0;
  int32_t IndiceSelezionato_ = 0;
  std::string UltimoTesto_;
  std::string UltimoTestoNotificato_;
  bool Abilitato_ = false;
  bool Bloccato_ = false;
  std::function<void(int32_t)> rowChosen_;
  std::function<void(int32_t)> picked_;
  uint64_t scelteAnnunciate_ = 0;   // how many times the handler was told
  uint64_t annunciateAlTasto_ = 0;  // that count at the last key press
  // ComboBox: the text the user expects after the last key press, until the
  // key is up.
  std::optional<std::string> testoDigitato_;
  // The edit the key being pressed makes in the text box, as the box applies
  // it, until the key is up: the text it leaves and the caret after it.
  struct KeyEdit {
    std::string text;
    int32_t caret = 0;
  };
  std::optional<KeyEdit> keyEdit_;
  // This control's drop-down is open (its modal loop is running).
  bool listaAperta_ = false;
  // A host's call is running: a row it commits does not take the focus.
  bool operazioneHost_ = false;
  // The commit of a pick in the drop-down is running.
  bool sceltaDallaGriglia_ = false;
  ChoiceSource fonteScelta_ = ChoiceSource::Host;

  // The filter's values, checked: a Table error names a field the list
  // lacks (when its columns are defined) or an empty name; a TypeMismatch
  // error a mode that is none of the enumeration's.
  static int32_t CheckedFilterMode(int32_t v);
  const std::string& CheckedFilterColumns(const std::string& v) const;

  // Stored property values.
  Colour ColoreSfondoGridMemorizzato = 0;
  int16_t AltezzaIntestMemorizzato = 0;
  int32_t RowHeightMemorizzato = 0;
  bool Griglia_CentrataMemorizzato = false;
  std::string TextMemorizzato;
  bool Visualizza_FieldsMemorizzato = false;
  std::string Text_ColumnMemorizzato;
  std::string Bound_ColumnMemorizzato;
  uint8_t Rows_CountMemorizzato = 0;
  uint8_t Separatore_RecordMemorizzato = 0;
  bool Record_SelectorMemorizzato = false;
  uint8_t StileCboMemorizzato = 0;
  uint8_t TipoPulsanteMemorizzato = 0;
};

}  // namespace cbo
