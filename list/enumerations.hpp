#pragma once
// The published enumerations that the list store and its columns take, each
// written once as a list of its values: the list defines the C++
// enumeration here and feeds the control's type description. The control's
// other enumerations are in control/enumerations.hpp.
#include <cstdint>

// One value of a published enumeration, as its definition spells it.
#define CBO_ENUMERATOR(name, value) name = value,

namespace cbo {

// The value lists are laid out by hand.
// clang-format off

// The style (StileCbo): free text, text completed from the list, or text
// always forced onto a row of the list.
#define CBO_STILE_CBO(V) V(TextBox, 0) V(ComboBox, 1) V(ListCombo, 2)

// Modes of the private row operations.
#define CBO_ESEGUI_LIST_INDEX(V)                                                                        \
  V(SettaDaListIndex, 0) V(LeggiDaListIndex, 1) V(SettaDaBoundColumn, 2) V(LeggiDaBoundColumn, 3) \
  V(SettaDaTextColumn, 4) V(LeggiDaTextColumn, 5)

// What Combo_Clear empties.
#define CBO_CANCELLA_CBO(V) V(Tutto, 0) V(Solo_Dati, 1)

// The line between cells: a column's divider (AddField) and the divider
// between rows (Separatore_Record).
#define CBO_TIPO_SEPARATORE_CELLE(V)                                                                    \
  V(Nessuna_Divisione, 0) V(Linea_Nera, 1) V(Linea_Grigia, 2) V(Raised, 3) V(Insert, 4) V(Come_Colore_Testo, 5) \
  V(Grigia_Illuminata, 6)

// A column's data alignment (AddField).
#define CBO_ALLINEAMENTO_DATI(V) V(Sinistra, 0) V(Destra, 1) V(Centro, 2)

// The drop-down's filter (FilterMode): off (typing searches as it always
// has), rows whose shown filter columns contain the typed text, or rows with
// a word of those columns that begins with it.
#define CBO_FILTER_MODE(V) V(FilterOff, 0) V(FilterContains, 1) V(FilterWordStart, 2)

enum StileCbo : int32_t { CBO_STILE_CBO(CBO_ENUMERATOR) };
enum Esegui_ListIndex : int32_t { CBO_ESEGUI_LIST_INDEX(CBO_ENUMERATOR) };
enum Cancella_Cbo : int32_t { CBO_CANCELLA_CBO(CBO_ENUMERATOR) };
enum Tipo_Separatore_Celle : int32_t { CBO_TIPO_SEPARATORE_CELLE(CBO_ENUMERATOR) };
enum AllineamentoDati : int32_t { CBO_ALLINEAMENTO_DATI(CBO_ENUMERATOR) };
enum CboFilterMode : int32_t { CBO_FILTER_MODE(CBO_ENUMERATOR) };

// clang-format on

}  // namespace cbo
