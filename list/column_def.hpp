#pragma once
// One column definition: the ten values of AddField, in its parameter order.
#include <cstdint>
#include <string>

namespace cbo {

struct ColumnDef {
  std::string Nome_Field;             // 0 the table field name
  std::string NomeColonna;            // 1 header caption
  bool Visualizza_Colonna = true;     // 2 column shown
  double Larghezza_Colonna = 1000;    // 3 width in twips
  int32_t Separatore_Colonna = 2;     // 4 Tipo_Separatore_Celle
  std::string Formattazione;          // 5 display format
  int32_t Allineamento_Colonna = 0;   // 6 AllineamentoDati
  bool Ridimensiona_Colonna = false;  // 7 user may resize
  bool Wrap_Text = false;             // 8 wrap cell text
  bool Colonna_Ordinabile = true;     // 9 header click sorts
};

}  // namespace cbo
