#pragma once
// The published enumerations of CboVarno, named as the type description names
// them. Each is a plain enumeration over 32 bits, so a value converts to the
// integer that the members take (control.SetStileCbo(cbo::ListCombo)) and
// may be written qualified (cbo::StileCbo::ListCombo); members still accept
// any other integer where a value outside the enumeration means something.
// Esegui_ListIndex and Cancella_Cbo are declared with the list store, whose
// operations take them.
#include <cstdint>

#include "list/list_store.hpp"

namespace cbo {

// The picture on the drop-down button (TipoPulsante).
enum TipoPulsante : int32_t {
  FrecciaNera = 0,
  FrecciaGialla = 1,
  FrecciaVerde = 2,
  FrecciaBlu = 3,
  PuntoNero = 4,
  PuntoGiallo = 5,
  PuntoVerde = 6,
  PuntoBlu = 7,
  PuntiNeri = 8,
  PuntiVerdi = 9,
  LineaNera = 10,
  AsteriscoNero = 11,
  AsteriscoRosso = 12,
  AsteriscoVerde = 13,
};

// The line between cells: a column's divider (AddField) and the divider
// between rows (Separatore_Record).
enum Tipo_Separatore_Celle : int32_t {
  Nessuna_Divisione = 0,
  Linea_Nera = 1,
  Linea_Grigia = 2,
  Raised = 3,
  Insert = 4,
  Come_Colore_Testo = 5,
  Grigia_Illuminata = 6,
};

// A column's data alignment (AddField).
enum AllineamentoDati : int32_t { Sinistra = 0, Destra = 1, Centro = 2 };

// The alignment of the text in the text box (Alignment).
enum AgglignVrn : int32_t { All_Left = 0, All_Right = 1, All_Center = 2 };

// The style (StileCbo): free text, text completed from the list, or text
// always forced onto a row of the list.
enum StileCbo : int32_t { TextBox = 0, ComboBox = 1, ListCombo = 2 };

// The frame's border (BorderStyle).
enum BorderStyleVrn : int32_t { None = 0, Fixed_Single = 1 };

// The frame's look (Appearance).
enum ApparenceVrn : int32_t { Flat = 0, Tridimensionale = 1 };

}  // namespace cbo
