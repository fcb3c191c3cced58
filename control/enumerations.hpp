#pragma once
// The published enumerations of CboVarno, named as the type description names
// them. Each is a plain enumeration over 32 bits, so a value converts to the
// integer that the members take (control.SetStileCbo(cbo::ListCombo)) and
// may be written qualified (cbo::StileCbo::ListCombo); members still accept
// any other integer where a value outside the enumeration means something.
// Those that the list store and its columns take (StileCbo, Esegui_ListIndex,
// Cancella_Cbo, Tipo_Separatore_Celle, AllineamentoDati) are declared in
// list/enumerations.hpp, below the control.
//
// Each enumeration is written once, as a list of its values that both
// defines the C++ enumeration and feeds the type description
// (type_library.cpp); the widget's Qt enumerations are checked against the
// type description by its tests.
#include <cstdint>

#include "list/enumerations.hpp"

namespace cbo {

// The value lists are laid out by hand.
// clang-format off

// The picture on the drop-down button (TipoPulsante).
#define CBO_TIPO_PULSANTE(V)                                                                                 \
  V(FrecciaNera, 0) V(FrecciaGialla, 1) V(FrecciaVerde, 2) V(FrecciaBlu, 3) V(PuntoNero, 4) V(PuntoGiallo, 5) \
  V(PuntoVerde, 6) V(PuntoBlu, 7) V(PuntiNeri, 8) V(PuntiVerdi, 9) V(LineaNera, 10) V(AsteriscoNero, 11)      \
  V(AsteriscoRosso, 12) V(AsteriscoVerde, 13)

// The alignment of the text in the text box (Alignment).
#define CBO_AGGLIGN_VRN(V) V(All_Left, 0) V(All_Right, 1) V(All_Center, 2)

// The frame's border (BorderStyle).
#define CBO_BORDER_STYLE_VRN(V) V(None, 0) V(Fixed_Single, 1)

// The frame's look (Appearance).
#define CBO_APPARENCE_VRN(V) V(Flat, 0) V(Tridimensionale, 1)

enum TipoPulsante : int32_t { CBO_TIPO_PULSANTE(CBO_ENUMERATOR) };
enum AgglignVrn : int32_t { CBO_AGGLIGN_VRN(CBO_ENUMERATOR) };
enum BorderStyleVrn : int32_t { CBO_BORDER_STYLE_VRN(CBO_ENUMERATOR) };
enum ApparenceVrn : int32_t { CBO_APPARENCE_VRN(CBO_ENUMERATOR) };

// clang-format on

}  // namespace cbo
