#pragma once
// The configuration record of the drop-down window: everything the control
// hands FrmGriglia when it opens, in the order the design writes it, each
// field named as the design names the window's member. The control keeps its
// own settings in one (CboVarno::Configurazione), fills in its list's working
// copies when it opens the window and hands the whole record over
// (FrmGriglia::Configura); the window reads it as FrmGriglia::Configurazione.
#include <cstdint>
#include <string>

#include "platform/colour.hpp"
#include "platform/font.hpp"

namespace cbo {

struct GridConfig {
  int32_t AltezzaIntestazione = 0;
  bool NonMostrareLista = false;
  bool OkSelezioneAvvenuta = false;
  int32_t MaxIndex = 0;
  int32_t Mess = 0;
  FontRef Font_Griglia;
  double AggiungereOrizzontalmente = 0;
  double AggiungereVerticalmente = 0;
  int32_t Larghezza_Colonne = 0;
  bool RecSel = false;
  uint8_t SepRec = 0;
  std::string Text_Col;
  std::string Bound_Col;
  uint8_t Rows_Col = 0;
  uint8_t NumMtCol = 0;
  Colour ColGriglia = 0;
  Colour ColTesto = 0;
  bool Vis_Fields = false;
  std::string TextIntestazioni;
  bool GrigliaGrassetto = false;
  bool MostraLineeGriglia = false;
  Colour ColLineeGriglia = 0;
  Colour ColSfondoGriglia = 0;
  bool GrigliaAlCentro = false;
  // The filter (list/enumerations.hpp, list/filter_columns.hpp).
  int32_t FilterMode = 0;
  std::string FilterColumns;
};

}  // namespace cbo
