#pragma once
// The list store of one control: its column definitions, its table, its
// staged row, row lookup by index or bound value, removal, count, and the
// Value and ListIndex properties.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "list/column_def.hpp"
#include "list/criteria.hpp"
#include "list/data_control.hpp"
#include "list/enumerations.hpp"
#include "list/table/recordset.hpp"
#include "list/row_source.hpp"
#include "list/list_state.hpp"
#include "platform/scoped_flag.hpp"
#include "platform/variant.hpp"
#include "platform/widgets.hpp"

namespace cbo {

// One slot of the staged row: the field name as the host wrote it and the value.
struct SlotRiga {
  std::string Nome;
  Variant Valore;
};

// The hidden field that numbers the rows.
inline constexpr const char* kIndexField = "_Index_Cmbo_Varno_";

class ListStore {
public:
  // `txt` is the control's text box (its Tag holds the chosen row's index);
  // `rowMoved` runs on every row-moved notification of the data control AdoRec;
  // `propertyChanged` tells the container that a property changed.
  ListStore(ListState& shared, ITextBox& txt, std::function<void()> rowMoved,
            std::function<void(const std::string&)> propertyChanged);

  // Columns and table.
  void AddField(const std::string& Nome_Field, const std::string& NomeColonna, bool Visualizza_Colonna,
                double Larghezza_Colonna, int32_t Separatore_Colonna, const std::string& Formattazione,
                int32_t Allineamento_Colonna, bool Ridimensiona_Colonna, bool Wrap_Text, bool Colonna_Ordinabile);
  void Combo_Clear(int32_t Cosa_Cancellare);

  // Rows.
  Variant ListItem(const std::string& Field, Variant Value);
  void AddItem();
  // Many rows at once, as ListItem and AddItem would add them, all or
  // nothing; false when `progress` cancelled the fill (see CboVarno::AddRows).
  bool AddRows(RowSource& rows, const FillProgress& progress);
  // Makes `table` (open; its last field the row index) the list's table, as
  // Combo_Clear then a fill of its rows would: columns made from its fields
  // when the list has none, otherwise they must be its fields in order; the
  // first row chosen. A Database error leaves the list as it was. A
  // read-only table (ReadOnly) refuses AddItem, RemoveItem and AddRows until
  // Combo_Clear or AddField gives the list a table of its own again.
  void AttachTable(RecordsetRef table);
  // AddRows is running (its progress callback may reach the host, which must
  // not change the list meanwhile).
  bool Riempimento() const { return riempimento_; }

  // Lookup, removal and count.
  void AllineaRigaCorrente();
  int32_t EseguiListIndex(int32_t mode, int32_t index);
  Variant EseguiBoundColumn(int32_t mode, const Variant& value);
  int32_t Record_Count();
  void RemoveItem(int32_t Indice_Record);
  Variant ListValue(const std::string& Current_Field_Value);

  // Value and ListIndex.
  std::string Value();
  void SetValue(const std::string& v);
  int32_t ListIndex();
  void SetListIndex(int32_t v);

  // The table object, created (not open) when there is none.
  Recordset& Tabella();
  bool TabellaAperta() const { return Rcset_Cbo_ && Rcset_Cbo_->State() == 1; }
  // An open table with at least one row.
  bool HaRighe() const;
  // The current row's text-column value as text; "" with no open table, no
  // current row, no text column or a Null value.
  std::string CurrentRowText() const;

  // --- Members of the control, read-only (the convention is in
  // list/list_state.hpp: private `Name_`, read as `Name()`). ---
  const std::vector<ColumnDef>& Matrice_Campi() const { return Matrice_Campi_; }
  uint8_t NumMtCol() const { return NumMtCol_; }
  const RecordsetRef& Rcset_Cbo() const { return Rcset_Cbo_; }
  int32_t MaxIndex() const { return MaxIndex_; }
  const std::vector<SlotRiga>& RigaPreparata() const { return RigaPreparata_; }  // the staged row, one slot per column
  int32_t Larghezza_Colonne() const { return Larghezza_Colonne_; }
  const std::string& Text_Col() const { return Text_Col_; }
  const std::string& Bound_Col() const { return Bound_Col_; }
  bool OkSelezioneAvvenuta() const { return OkSelezioneAvvenuta_; }
  // ComboBox: while a completion waits to be committed, the index of the row
  // it completed (only that row may be committed for it); 0 otherwise.
  int32_t CompletamentoInAttesa() const { return CompletamentoInAttesa_; }
  uint8_t StileAttivo() const { return StileAttivo_; }
  bool NonMostrareLista() const { return NonMostrareLista_; }
  const std::string& ValueMemorizzato() const { return ValueMemorizzato_; }  // stored value of Value
  int32_t ListIndexMemorizzato() const { return ListIndexMemorizzato_; }     // stored value of ListIndex
  const DataControl& AdoRec() const { return AdoRec_; }

  // --- The writers the control uses. ---
  // Its persistence and properties: the working copies of Text_Column,
  // Bound_Column and StileCbo, and the stored Value and ListIndex.
  void SetText_Col(const std::string& v) { Text_Col_ = v; }
  void SetBound_Col(const std::string& v) { Bound_Col_ = v; }
  void SetStileAttivo(uint8_t v) { StileAttivo_ = v; }
  void SetValueMemorizzato(const std::string& v) { ValueMemorizzato_ = v; }
  void SetListIndexMemorizzato(int32_t v) { ListIndexMemorizzato_ = v; }
  // Its type-ahead, drop-down and commit: a choice made and waiting to be
  // committed, and the row a ComboBox completion completed.
  void SetOkSelezioneAvvenuta(bool v) { OkSelezioneAvvenuta_ = v; }
  void SetCompletamentoInAttesa(int32_t v) { CompletamentoInAttesa_ = v; }
  // Raises NonMostrareLista for as long as it lives and then gives it back the
  // value it had (a ScopedFlag on it).
  class NonMostrareListaScope {
  public:
    explicit NonMostrareListaScope(ListStore& l) : flag_(l.NonMostrareLista_) {}

  private:
    ScopedFlag flag_;
  };

private:
  std::vector<ColumnDef> Matrice_Campi_;
  uint8_t NumMtCol_ = 0;
  RecordsetRef Rcset_Cbo_;
  int32_t MaxIndex_ = 0;
  std::vector<SlotRiga> RigaPreparata_;
  int32_t Larghezza_Colonne_ = 0;
  std::string Text_Col_;
  std::string Bound_Col_;
  bool OkSelezioneAvvenuta_ = false;
  int32_t CompletamentoInAttesa_ = 0;
  uint8_t StileAttivo_ = TextBox;
  bool NonMostrareLista_ = false;
  std::string ValueMemorizzato_;
  int32_t ListIndexMemorizzato_ = 0;
  DataControl AdoRec_;

  // What AddField and AddRows change, kept so that a failed call leaves
  // everything as it was.
  struct SavedState {
    std::vector<ColumnDef> Matrice_Campi;
    uint8_t NumMtCol;
    RecordsetRef Rcset_Cbo;
    int32_t MaxIndex;
    int32_t Larghezza_Colonne;
    std::string Text_Col, Bound_Col, Tag;
    std::vector<SlotRiga> RigaPreparata;
    bool CaricamentoInCorso;
  };
  SavedState Save() const;
  void Restore(SavedState&& prima);
  // The steps after rows were appended: the staged row emptied, the table
  // handed to AdoRec, the first row (in ListCombo the shown row) current, list
  // building over, and the first row chosen when none is.
  void DopoAggiunta(bool caricamentoPrima);
  void CreaTabella();
  void OrdinaColonne();
  void SvuotaRigaPreparata();
  int32_t IndiceCorrente();  // the current row's index field as a number

  // Refuses a change of the list while AddRows fills it.
  void NonDuranteRiempimento(const char* member) const;
  // Refuses a change of the rows of a table read from a database.
  void NonInSolaLettura(const char* member) const;

  ListState& shared_;
  ITextBox& txt_;
  bool riempimento_ = false;
  std::vector<const Variant*> valoriRiga_;  // the row AddItem hands the table
  std::function<void(const std::string&)> propertyChanged_;
};

}  // namespace cbo
