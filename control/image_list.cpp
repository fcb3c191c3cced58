// The fourteen pictures of the drop-down button: five shapes in five colours,
// 11 x 11 pixels, transparent outside the shape.
#include "control/image_list.hpp"

#include <initializer_list>

namespace cbo {

namespace {

enum class Forma { Freccia, Punto, Punti, Asterisco, Linea };

constexpr uint32_t kNero = 0xFF000000u;
constexpr uint32_t kBlu = 0xFF0000FFu;
constexpr uint32_t kVerde = 0xFF008000u;
constexpr uint32_t kGiallo = 0xFFFFFF00u;
constexpr uint32_t kRosso = 0xFFFF0000u;

// One run of set pixels: a row and the columns from `da` to `a`.
struct Tratto {
  int riga, da, a;
};

std::initializer_list<Tratto> Tratti(Forma forma) {
  switch (forma) {
    case Forma::Freccia: {
      static const std::initializer_list<Tratto> t = {{4, 2, 8}, {5, 3, 7}, {6, 4, 6}, {7, 5, 5}};
      return t;
    }
    case Forma::Punto: {
      static const std::initializer_list<Tratto> t = {{2, 4, 6}, {3, 3, 7}, {4, 2, 8}, {5, 2, 8},
                                                      {6, 2, 8}, {7, 3, 7}, {8, 4, 6}};
      return t;
    }
    case Forma::Punti: {
      static const std::initializer_list<Tratto> t = {{8, 2, 3}, {8, 5, 6}, {8, 8, 9}, {9, 2, 3}, {9, 5, 6}, {9, 8, 9}};
      return t;
    }
    case Forma::Asterisco: {
      static const std::initializer_list<Tratto> t = {{2, 2, 3}, {2, 7, 8}, {3, 2, 4}, {3, 6, 8}, {4, 3, 7}, {5, 4, 6},
                                                      {6, 3, 7}, {7, 2, 4}, {7, 6, 8}, {8, 2, 3}, {8, 7, 8}};
      return t;
    }
    case Forma::Linea: {
      static const std::initializer_list<Tratto> t = {{8, 3, 7}, {9, 2, 8}};
      return t;
    }
  }
  return {};
}

Picture Disegna(int number, Forma forma, uint32_t colore) {
  Picture p;
  p.Number = number;
  for (const Tratto& t : Tratti(forma))
    for (int col = t.da; col <= t.a; ++col) p.Pixels[t.riga][col] = colore;
  return p;
}

}  // namespace

ImageList::ImageList()
    : pictures_{Disegna(1, Forma::Freccia, kNero),     Disegna(2, Forma::Freccia, kBlu),
                Disegna(3, Forma::Freccia, kVerde),    Disegna(4, Forma::Freccia, kGiallo),
                Disegna(5, Forma::Punto, kNero),       Disegna(6, Forma::Punto, kBlu),
                Disegna(7, Forma::Punto, kVerde),      Disegna(8, Forma::Punto, kGiallo),
                Disegna(9, Forma::Punti, kNero),       Disegna(10, Forma::Punti, kVerde),
                Disegna(11, Forma::Asterisco, kNero),  Disegna(12, Forma::Asterisco, kVerde),
                Disegna(13, Forma::Asterisco, kRosso), Disegna(14, Forma::Linea, kNero)} {}

const ImageList& ImageList::Pulsanti() {
  static const ImageList list;
  return list;
}

const Picture* ImageList::ListImages(int number) const {
  if (number < 1 || number > Count()) return nullptr;
  return &pictures_[number - 1];
}

uint8_t IndiceImmaginePulsante(int32_t tipo) {
  static const uint8_t kImmagine[14] = {1, 4, 3, 2, 5, 8, 7, 6, 9, 10, 14, 11, 13, 12};
  if (tipo < 0 || tipo > 13) return 0;
  return kImmagine[tipo];
}

}  // namespace cbo
