#pragma once
// The published enumerations of CboVarno, named as the type description names
// them. Each is a plain enumeration over 32 bits, so a value converts to the
// integer that the members take (control.SetStileCbo(cbo::ListCombo)) and
// may be written qualified (cbo::StileCbo::ListCombo); members still accept
// any other integer where a value outside the enumeration means something.
// Esegui_ListIndex and Cancella_Cbo are declared with the list store, whose
// operations take them.
//
// Each enumeration is written once, as a list of its values that both
// defines the C++ enumeration and feeds the type description
// (type_library.cpp); the widget's Qt enumerations are checked against the
// type description by its tests.
#include <cstdint>

#include "list/list_store.hpp"

namespace cbo {

// The picture on the drop-down button (TipoPulsante).
#define CBO_TIPO_PULSANTE(V)                                                                                 \
  V(FrecciaNera, 0) V(FrecciaGialla, 1) V(FrecciaVerde, 2) V(FrecciaBlu, 3) V(PuntoNero, 4) V(PuntoGiallo, 5) \
  V(PuntoVerde, 6) V(PuntoBlu, 7) V(PuntiNeri, 8) V(PuntiVerdi, 9) V(LineaNera, 10) V(AsteriscoNero, 11)      \
  V(AsteriscoRosso, 12) V(AsteriscoVerde, 13)

// The line between cells: a column's divider (AddField) and the divider
// between rows (Separatore_Record).
#define CBO_TIPO_SEPARATORE_CELLE(V)                                                                    \
  V(Nessuna_Divisione, 0) V(Linea_Nera, 1) V(Linea_Grigia, 2) V(Raised, 3) V(Insert, 4) V(Come_Colore_Testo, 5) \
  V(Grigia_Illuminata, 6)

// A column's data alignment (AddField).
#define CBO_ALLINEAMENTO_DATI(V) V(Sinistra, 0) V(Destra, 1) V(Centro, 2)

// The alignment of the text in the text box (Alignment).
#define CBO_AGGLIGN_VRN(V) V(All_Left, 0) V(All_Right, 1) V(All_Center, 2)

// The style (StileCbo): free text, text completed from the list, or text
// always forced onto a row of the list.
#define CBO_STILE_CBO(V) V(TextBox, 0) V(ComboBox, 1) V(ListCombo, 2)

// The frame's border (BorderStyle).
#define CBO_BORDER_STYLE_VRN(V) V(None, 0) V(Fixed_Single, 1)

// The frame's look (Appearance).
#define CBO_APPARENCE_VRN(V) V(Flat, 0) V(Tridimensionale, 1)

#define CBO_ENUMERATOR(name, value) name = value,
enum TipoPulsante : int32_t { CBO_TIPO_PULSANTE(CBO_ENUMERATOR) };
enum Tipo_Separatore_Celle : int32_t { CBO_TIPO_SEPARATORE_CELLE(CBO_ENUMERATOR) };
enum AllineamentoDati : int32_t { CBO_ALLINEAMENTO_DATI(CBO_ENUMERATOR) };
enum AgglignVrn : int32_t { CBO_AGGLIGN_VRN(CBO_ENUMERATOR) };
enum StileCbo : int32_t { CBO_STILE_CBO(CBO_ENUMERATOR) };
enum BorderStyleVrn : int32_t { CBO_BORDER_STYLE_VRN(CBO_ENUMERATOR) };
enum ApparenceVrn : int32_t { CBO_APPARENCE_VRN(CBO_ENUMERATOR) };
#undef CBO_ENUMERATOR

}  // namespace cbo
