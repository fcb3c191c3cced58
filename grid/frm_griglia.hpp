#pragma once
// The drop-down window: a top-level window holding the data grid MSF over the
// control's own table, a row of clickable header boxes, and the typed-search
// timer. The control hands it the configuration record (Configura) and calls
// CaricaListaVis, which shows the window modally and reports
// whether a different row was chosen.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "list/column_def.hpp"
#include "list/data_control.hpp"
#include "list/table/filtered_rows.hpp"
#include "list/table/recordset.hpp"
#include "platform/data_grid.hpp"
#include "grid/grid_config.hpp"
#include "grid/process_state.hpp"
#include "platform/widgets.hpp"
#include "platform/window.hpp"

namespace cbo {

class FrmGriglia : public std::enable_shared_from_this<FrmGriglia> {
public:
  explicit FrmGriglia(ProcessState& shared);
  ~FrmGriglia();
  FrmGriglia(const FrmGriglia&) = delete;
  FrmGriglia& operator=(const FrmGriglia&) = delete;

  // --- The configuration record (grid/grid_config.hpp): the control hands
  // it over as a whole before CaricaListaVis; the window reads it and keeps
  // OkSelezioneAvvenuta in it up to date while it is open. ---
  const GridConfig& Configurazione() const { return config_; }
  void Configura(const GridConfig& config) { config_ = config; }

  // The single entry: prepares the window, shows it modally and, once it has
  // closed, returns true when a row other than ListIndex was chosen (writing
  // its index into ListIndex).
  bool CaricaListaVis(RecordsetRef Rcset_Cbo_Griglia, const std::vector<ColumnDef>& Matrice_V, int32_t& ListIndex);
  void TrovaCTRLHWNDGriglia();
  // The control replaced its table while the window is open (its list was
  // cleared or its columns defined anew): the window goes on with the table
  // it has now, also when there is none or it is closed, and a choice is
  // read from that table.
  void FollowTable(RecordsetRef table);

  // --- Private state, readable for inspection (the convention is in
  // list/list_state.hpp: private `Name_`, read as `Name()`). ---
  double PosizioneLeft() const { return PosizioneLeft_; }
  double PosizioneTop() const { return PosizioneTop_; }
  double LarghezzaGriglia() const { return LarghezzaGriglia_; }
  double AltezzaGriglia() const { return AltezzaGriglia_; }
  uint8_t FaseRicerca() const { return FaseRicerca_; }
  const std::string& UltimoCarattere() const { return UltimoCarattere_; }
  const std::string& CampoRicerca() const { return CampoRicerca_; }
  bool BloccaInseguimento() const { return BloccaInseguimento_; }
  int32_t UltimoMouseX() const { return UltimoMouseX_; }
  int32_t UltimoMouseY() const { return UltimoMouseY_; }
  bool PrimoMovimento() const { return PrimoMovimento_; }

  // --- The filter (filter.cpp), while FilterMode is on: the filter line's
  // text, and the rows the grid shows (with FilterMode off, the window's
  // table itself; null when there is none). ---
  const std::string& FilterText() const { return filterText_; }
  DataSourceRef Shown() const;
  // Reads the rest of the table now, so that the rows shown are all the
  // rows that match (a large table is otherwise read in slices).
  void CompleteFilter();

  // --- Constituents. ---
  IWindow& Form() { return *form_; }
  IPictureBox& Pct1() { return *pct1_; }
  IDataGrid& MSF() { return *msf_; }
  ITimer& T_Trova() { return *tTrova_; }
  // The filter line above the headers: its box, the text typed and the
  // count of the rows shown; T_Filter reads a large table in slices.
  IPictureBox& Pct_Filter() { return *pctFilter_; }
  ILabel& Lbl_Filter() { return *lblFilter_; }
  ILabel& Lbl_FilterStatus() { return *lblFilterStatus_; }
  ITimer& T_Filter() { return *tFilter_; }
  // Header boxes by element number (numbers may have gaps); element 0 exists
  // from the start.
  const std::map<int, std::unique_ptr<IPictureBox>>& Pct_Field() const { return pctField_; }
  const std::map<int, std::unique_ptr<ILabel>>& Lbl_Field() const { return lblField_; }
  const std::vector<ColumnDef>& Matrice_V() const { return matriceV_; }
  const RecordsetRef& Rcset_Cbo_Griglia() const { return table_; }

private:
  // Construction: one header box with its label, as the design has element 0.
  void CreaElementoIntestazione(int i);
  void CollegaEventi();
  // Preparation (lifecycle).
  void PreparaFinestra();
  // Columns and headers.
  void CollegaGriglia();
  void CaricaIntestazioni();
  void DisponiIntestazioni();
  double AltezzaBox() const;
  // Geometry.
  void CalcolaLarghezza();
  void CalcolaAltezza();
  void CalcolaPosizione();
  // Search, sort and selection.
  void Lbl_Field_Click(int i);
  void MSF_KeyPress(int16_t keyAscii);
  void MSF_KeyDown();
  void MSF_MouseMove(float x, float y);
  void MSF_MouseUp(int16_t button);
  void T_Trova_Timer();
  void CercaDigitato();
  void SeguiCursore();
  void ConfermaScelta(bool forza);
  bool CursoreSulleRighe();
  double CursoreY();  // the cursor's height in the grid's client area, twips
  // Closes the window without a choice (Escape, right button).
  void ChiudiSenzaScelta();

  // The filter (filter.cpp).
  bool FilterOn() const;
  void CreateFilterLine();
  // At the opening, before the show: the fields searched (a Table error
  // names one the list lacks), an empty filter line.
  void PrepareFilter();
  // The data source the grid is bound to: the filtered rows of the table.
  DataSourceRef BindFilter();
  void LayOutFilterLine();
  double FilterLineHeight() const;  // 0 with FilterMode off
  void FilterKeyPress(int16_t keyAscii);
  // What is read on a key before the grid shows the rows.
  void ReadAtOnce();
  void ApplyFilter();
  void FilterSlice();
  void ShowFilterStatus();

  // The table handed to CaricaListaVis; a Table error when there is none.
  Recordset& Tabella() const;
  // The window's table is open (a list cleared while open may have none).
  bool TabellaAperta() const { return table_ && table_->State() == 1; }
  // Row i of the window's copy of Matrice_V; SubscriptOutOfRange past its end.
  ColumnDef& Definizione(int i);
  // Header box and label i; SubscriptOutOfRange when the element does not exist.
  IPictureBox& Pct_FieldElemento(int i);
  ILabel& Lbl_FieldElemento(int i);

  GridConfig config_;
  double PosizioneLeft_ = 0, PosizioneTop_ = 0;
  double LarghezzaGriglia_ = 0, AltezzaGriglia_ = 0;
  uint8_t FaseRicerca_ = 0;
  std::string UltimoCarattere_;
  std::string CampoRicerca_;
  bool BloccaInseguimento_ = false;
  int32_t UltimoMouseX_ = 0, UltimoMouseY_ = 0;
  bool PrimoMovimento_ = false;

  ProcessState& shared_;
  std::unique_ptr<IWindow> form_;
  std::unique_ptr<IPictureBox> pct1_;
  std::unique_ptr<IDataGrid> msf_;
  DataControl msfDC_;
  std::unique_ptr<ITimer> tTrova_;
  std::map<int, std::unique_ptr<IPictureBox>> pctField_;
  std::map<int, std::unique_ptr<ILabel>> lblField_;
  std::vector<ColumnDef> matriceV_;
  RecordsetRef table_;
  int32_t indicePassato_ = 0;  // the ListIndex handed to CaricaListaVis

  std::unique_ptr<IPictureBox> pctFilter_;
  std::unique_ptr<ILabel> lblFilter_, lblFilterStatus_;
  std::unique_ptr<ITimer> tFilter_;
  std::string filterText_;
  std::vector<int32_t> filterFields_;
  std::shared_ptr<FilteredRows> filtered_;
};

}  // namespace cbo
