// The drawing vocabulary of the picture areas: a user scale from two corner
// points, clear, line width, fill colour, lines, circles, ellipses and arcs,
// points and printed text. The window routines draw through it; the screen
// and the recorder are two implementations.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace mr {

// A colour as 0xRRGGBB.
using Colore = std::uint32_t;
constexpr Colore RGB(int r, int g, int b) {
  return (static_cast<Colore>(r) << 16) | (static_cast<Colore>(g) << 8) | static_cast<Colore>(b);
}
// The system colour of button and dialog faces.
inline constexpr Colore ColoreFacciata = RGB(240, 240, 240);

// "#rrggbb".
std::string TestoColore(Colore c);

class Tela {
 public:
  virtual ~Tela() = default;
  // User coordinates: (x1, y1) is the top-left corner, (x2, y2) the bottom-right.
  virtual void Scala(double x1, double y1, double x2, double y2) = 0;
  // Removes the drawings; the background picture stays.
  virtual void Cls() = 0;
  // Line width in screen pixels.
  virtual void LarghezzaLinea(double w) = 0;
  // Fill colour of the following circles (solid fill).
  virtual void Riempimento(Colore c) = 0;
  virtual void Linea(double x1, double y1, double x2, double y2, Colore c) = 0;
  // Circle or ellipse centred at (x, y); aspect = height / width; r is the
  // horizontal semi-axis when aspect < 1, the vertical one otherwise.
  virtual void Cerchio(double x, double y, double r, Colore c, double aspetto) = 0;
  // Elliptical arc from angle inizio to fine (radians, counter-clockwise from
  // the right end of the horizontal axis), not filled.
  virtual void Arco(double x, double y, double r, Colore c, double inizio, double fine,
                    double aspetto) = 0;
  // A single point; it also becomes the text position.
  virtual void Punto(double x, double y, Colore c) = 0;
  // Text at the current position, then a line break.
  virtual void Stampa(const std::string& testo) = 0;
  // A box filled with c, corners (x1, y1) and (x2, y2), without an outline.
  virtual void Riquadro(double x1, double y1, double x2, double y2, Colore c) = 0;
  // The colour of the following texts; black until set.
  virtual void ColoreTesto(Colore c) = 0;
  // Moves the text position to (x, y) without drawing.
  virtual void Posizione(double x, double y) = 0;
};

struct Operazione {
  enum class Tipo {
    Scala, Cls, Larghezza, Riempimento, Linea, Cerchio, Arco, Punto, Stampa,
    Riquadro, ColoreTesto, Posizione,
  };
  Tipo tipo = Tipo::Cls;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Scala, Riquadro: corners; Linea: ends;
                                          // others: (x1, y1)
  double r = 0, aspetto = 1, inizio = 0, fine = 0;
  double larghezza = 0;
  Colore colore = 0;
  std::string testo{};
};

// Records every operation in order; Azzera starts a new recording.
class TelaRegistrata : public Tela {
 public:
  std::vector<Operazione> operazioni;
  void Azzera() { operazioni.clear(); }

  void Scala(double x1, double y1, double x2, double y2) override;
  void Cls() override;
  void LarghezzaLinea(double w) override;
  void Riempimento(Colore c) override;
  void Linea(double x1, double y1, double x2, double y2, Colore c) override;
  void Cerchio(double x, double y, double r, Colore c, double aspetto) override;
  void Arco(double x, double y, double r, Colore c, double inizio, double fine,
            double aspetto) override;
  void Punto(double x, double y, Colore c) override;
  void Stampa(const std::string& testo) override;
  void Riquadro(double x1, double y1, double x2, double y2, Colore c) override;
  void ColoreTesto(Colore c) override;
  void Posizione(double x, double y) override;
};

// The width of a text in the window's font, estimated for layouts made before
// anything is painted: 6.5 pixels a character (a UTF-8 code point).
double LarghezzaStimata(const std::string& testo);

// The first of forme (the fullest first) whose estimated width is within
// larghezza pixels. When none is, the last one shortened to fit: whole words
// taken from its end (an aside in brackets taken whole) and an ellipsis "…"
// where they were; a first word too wide alone is cut within it, the ellipsis
// showing the cut. Empty when not even the ellipsis fits.
std::string TestoCheEntra(std::span<const std::string> forme, double larghezza);
std::string TestoCheEntra(const std::string& testo, double larghezza);

// Prints testo in colour c with its top left corner at (x, y).
void ScriviTesto(Tela& tela, double x, double y, const std::string& testo, Colore c);

// Ink that reads on a background: black on a light one, white on a dark one.
Colore InchiostroSu(Colore sfondo);

// Plays recorded operations on another canvas.
void Riproduci(const std::vector<Operazione>& operazioni, Tela& tela);

// A text of a recording, as a reader finds it on the picture: the text
// position it was printed at and its colour.
struct Scritta {
  double x, y;
  std::string testo;
  Colore colore;
};

// The texts of a recording in order, each at the position last set by
// Posizione or Punto and in the colour last set by ColoreTesto (black until
// set); a text's own line break is not followed.
std::vector<Scritta> Scritte(const std::vector<Operazione>& operazioni);

// The operations as a JSON array (numbers in full precision).
std::string OperazioniJson(const std::vector<Operazione>& operazioni);

}  // namespace mr
