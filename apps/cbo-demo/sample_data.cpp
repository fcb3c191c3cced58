#include "apps/cbo-demo/sample_data.hpp"

#include <cstdio>
#include <set>

namespace cbo::demo {

namespace {

const char* const kPrefissi[] = {"",       "San",     "Santa",     "Borgo",    "Castel",         "Monte", "Villa",
                                 "Poggio", "Rocca",   "Torre",     "Pieve",    "Ponte",          "Colle", "Casal",
                                 "Porto",  "Lido di", "Marina di", "Bagni di", "Sant'Angelo di", "Vico"};

const char* const kNomi[] = {
    "Cantù",         "Forlì",         "Canicattì", "Paternò",      "Mascalucìa", "Cefalù",      "Agrà",
    "Alì",           "Bardonecchia",  "Chiusà",    "Déndalo",      "Èrcole",     "Fabbrìco",    "Gallùra",
    "Lanzò",         "Mèrano",        "Nuràghe",   "Oristàno",     "Pàrma",      "Quartù",      "Ràgusa",
    "Sèsto",         "Tèrmoli",       "Ùmbria",    "Vigevàno",     "Zugliò",     "Acquaviva",   "Belvedere",
    "Campagnano",    "Dorgali",       "Episcopia", "Frassineto",   "Gavirate",   "Introbio",    "Lucignano",
    "Montalcino",    "Nardò",         "Otranto",   "Pescasseroli", "Quarna",     "Roccaraso",   "Sorrento",
    "Taormina",      "Urbino",        "Volterra",  "Zafferana",    "Abetone",    "Bellagio",    "Cortona",
    "Dolceacqua",    "Erice",         "Fénis",     "Gradara",      "Lerici",     "Maratea",     "Noto",
    "Orvieto",       "Positano",      "Ravello",   "Scanno",       "Tropea",     "Varenna",     "Amalfi",
    "Bosa",          "Castelmezzano", "Deruta",    "Gubbio",       "Larino",     "Matera",      "Nemi",
    "Ostuni",        "Pienza",        "Recanati",  "Spello",       "Todi",       "Vernazza",    "Alberobello",
    "Brisighella",   "Camogli",       "Diamante",  "Fiumalbo",     "Garessio",   "Limone",      "Marostica",
    "Neive",         "Offida",        "Panicale",  "Ronciglione",  "Sabbioneta", "Tellaro",     "Venzone",
    "Arquà",         "Bevagna",       "Civita",    "Etroubles",    "Fontecchio", "Grottammare", "Locorotondo",
    "Montegridolfo", "Novara",        "Orta",      "Polignano",    "Rango",      "Sutri",       "Triora",
    "Vipiteno",      "Asolo",         "Bobbio",    "Cisternino",   "Dozza",      "Frontino",    "Gerace",
    "Lovere",        "Mondavio",      "Nocera",    "Ortigia"};

struct Provincia {
  const char* Nome;
  const char* Sigla;
  const char* Regione;
  int CapBase;
};

const Provincia kProvince[] = {{"Torino", "TO", "Piemonte", 10010},
                               {"Cuneo", "CN", "Piemonte", 12010},
                               {"Aosta", "AO", "Valle d'Aosta", 11010},
                               {"Milano", "MI", "Lombardia", 20010},
                               {"Como", "CO", "Lombardia", 22010},
                               {"Bergamo", "BG", "Lombardia", 24010},
                               {"Trento", "TN", "Trentino-Alto Adige", 38010},
                               {"Bolzano", "BZ", "Trentino-Alto Adige", 39010},
                               {"Venezia", "VE", "Veneto", 30010},
                               {"Verona", "VR", "Veneto", 37010},
                               {"Udine", "UD", "Friuli-Venezia Giulia", 33010},
                               {"Genova", "GE", "Liguria", 16010},
                               {"La Spezia", "SP", "Liguria", 19010},
                               {"Bologna", "BO", "Emilia-Romagna", 40010},
                               {"Forlì-Cesena", "FC", "Emilia-Romagna", 47010},
                               {"Firenze", "FI", "Toscana", 50010},
                               {"Siena", "SI", "Toscana", 53010},
                               {"Perugia", "PG", "Umbria", 6010},
                               {"Ancona", "AN", "Marche", 60010},
                               {"Roma", "RM", "Lazio", 10},
                               {"Viterbo", "VT", "Lazio", 1010},
                               {"L'Aquila", "AQ", "Abruzzo", 67010},
                               {"Campobasso", "CB", "Molise", 86010},
                               {"Napoli", "NA", "Campania", 80010},
                               {"Salerno", "SA", "Campania", 84010},
                               {"Bari", "BA", "Puglia", 70010},
                               {"Lecce", "LE", "Puglia", 73010},
                               {"Potenza", "PZ", "Basilicata", 85010},
                               {"Matera", "MT", "Basilicata", 75010},
                               {"Cosenza", "CS", "Calabria", 87010},
                               {"Reggio Calabria", "RC", "Calabria", 89010},
                               {"Palermo", "PA", "Sicilia", 90010},
                               {"Catania", "CT", "Sicilia", 95010},
                               {"Agrigento", "AG", "Sicilia", 92010},
                               {"Cagliari", "CA", "Sardegna", 9010},
                               {"Sassari", "SS", "Sardegna", 7010}};

std::vector<Luogo> Genera() {
  std::vector<Luogo> out;
  const size_t prefissi = std::size(kPrefissi);
  const size_t nomi = std::size(kNomi);
  const size_t province = std::size(kProvince);
  std::set<std::string> visti;
  for (size_t n = 0; n < nomi; ++n) {
    for (size_t p = 0; p < prefissi; ++p) {
      const size_t i = n * prefissi + p;
      std::string nome = std::string(kPrefissi[p]);
      if (!nome.empty() && nome.back() != '\'') nome += ' ';
      nome += kNomi[n];
      if (!visti.insert(nome).second) continue;
      // A deterministic spread of the provinces over the names.
      const Provincia& pr = kProvince[(n * 7 + p * 3) % province];
      char cap[8], codice[8];
      std::snprintf(cap, sizeof cap, "%05d", pr.CapBase + static_cast<int>((n * 13 + p * 29) % 80));
      std::snprintf(codice, sizeof codice, "%06d", 100000 + static_cast<int>(i) * 7);
      out.push_back(Luogo{codice, nome, std::string(pr.Nome) + " (" + pr.Sigla + ")", pr.Regione, cap});
    }
  }
  return out;
}

}  // namespace

const std::vector<Luogo>& Luoghi() {
  static const std::vector<Luogo> luoghi = Genera();
  return luoghi;
}

}  // namespace cbo::demo
