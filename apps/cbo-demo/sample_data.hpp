#pragma once
// The demo's sample list: Italian places with province, region and postal
// code, generated the same way on every run from embedded lists of names.
#include <string>
#include <vector>

namespace cbo::demo {

struct Luogo {
  std::string Codice;     // a six-digit code, the bound column (hidden)
  std::string Comune;     // the place's name, the text column
  std::string Provincia;  // "Torino (TO)"
  std::string Regione;
  std::string Cap;  // postal code
};

// At least 2,000 places, each name once.
const std::vector<Luogo>& Luoghi();

}  // namespace cbo::demo
