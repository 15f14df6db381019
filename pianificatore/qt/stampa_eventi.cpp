#include "pianificatore/qt/stampa_eventi.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "pianificatore/curva_luce.h"
#include "pianificatore/notte.h"
#include "pianificatore/qt/grafico_curva.h"
#include "pianificatore/qt/grafico_notte.h"
#include "pianificatore/qt/modello_eventi.h"
#include "window/qt/aspetto.h"

namespace mr {

namespace {

// Sizes in the device's pixels at 96 per inch, the screen's: the chart is drawn
// on paper as on screen.
constexpr double kPollici = 96;
constexpr int kAltezzaGrafico = 240, kAltezzaCurva = 210, kRiga = 16, kSpazio = 14;
constexpr int kMargineColonna = 6;  // between a column's text and the next column

QFont Carattere(int pixel, bool grassetto = false) {
  QFont f = FontFinestra();
  f.setPixelSize(pixel);
  f.setBold(grassetto);
  return f;
}

class Pagine {
 public:
  Pagine(QPagedPaintDevice& carta, QPainter& p)
      : carta_(carta), p_(p), scala_(carta.logicalDpiY() / kPollici) {
    p_.scale(scala_, scala_);
    larghezza_ = static_cast<int>(carta.width() / scala_);
    altezza_ = static_cast<int>(carta.height() / scala_);
  }
  int Larghezza() const { return larghezza_; }
  int Altezza() const { return altezza_; }
  // A new page unless this one can still hold that much.
  void Spazio(int alto) {
    if (y_ > 0 && y_ + alto > altezza_) {
      carta_.newPage();
      y_ = 0;
    }
  }
  // The top of a block this high, on a new page when this one cannot hold it.
  int Posto(int alto) {
    Spazio(alto);
    const int y = y_;
    y_ += alto;
    return y;
  }
  double Scala() const { return scala_; }

 private:
  QPagedPaintDevice& carta_;
  QPainter& p_;
  double scala_;
  int larghezza_, altezza_, y_ = 0;
};

void Testo(QPainter& p, QRect r, const QString& t, Qt::Alignment allinea = Qt::AlignLeft) {
  p.drawText(r, allinea | Qt::AlignVCenter, p.fontMetrics().elidedText(t, Qt::ElideRight, r.width()));
}

// The printed table's column widths, the same for every night: each column as
// wide as its bold heading or its widest text in the whole list, the
// description as well when the page allows, else what is left.
using Colonne = std::array<int, ModelloEventi::NumeroColonne>;
Colonne LarghezzeColonne(QPainter& p, const ModelloEventi& m, int larghezza) {
  // The painter's metrics, as the printer's may differ from the screen's; in
  // fractions of a pixel rounded up, as the elision compares them.
  p.setFont(Carattere(10, true));
  const QFontMetricsF intestazione(p.font(), p.device());
  p.setFont(Carattere(10));
  const QFontMetricsF testo(p.font(), p.device());
  const auto colonna = [](qreal piu) {
    return static_cast<int>(std::ceil(piu)) + 1 + kMargineColonna;
  };
  Colonne w{};
  for (int c = 0; c < ModelloEventi::NumeroColonne; ++c) {
    qreal piu = intestazione.horizontalAdvance(m.headerData(c, Qt::Horizontal).toString());
    for (int r = 0; r < m.rowCount(); ++r)
      piu = std::max(piu, testo.horizontalAdvance(m.index(r, c).data().toString()));
    w[c] = colonna(piu);
  }
  const int descrizione = std::exchange(w[ModelloEventi::Descrizione], 0);
  int altre = 0;
  for (int x : w) altre += x;
  // The sky's name gives way first to the description: "Crepuscolo n…" still
  // tells it apart.
  const int manca = std::max(descrizione - (larghezza - altre), 0);
  const int cielo = colonna(testo.horizontalAdvance(QString::fromUtf8("Crepuscolo n\u2026")));
  const int cede = std::clamp(w[ModelloEventi::Cielo] - cielo, 0, manca);
  w[ModelloEventi::Cielo] -= cede;
  w[ModelloEventi::Descrizione] = std::max(larghezza - altre + cede, larghezza / 4);
  return w;
}

void RigaTabella(QPainter& p, const ModelloEventi& m, const Colonne& colonne, int riga, int y) {
  int x = 0;
  for (int c = 0; c < ModelloEventi::NumeroColonne; ++c) {
    const QModelIndex i = m.index(riga, c);
    const QString t = riga < 0 ? m.headerData(c, Qt::Horizontal).toString() : i.data().toString();
    const bool destra = c == ModelloEventi::Durata || c == ModelloEventi::Giove;
    Testo(p, QRect(x, y, colonne[c] - kMargineColonna, kRiga), t,
          destra ? Qt::AlignRight : Qt::AlignLeft);
    x += colonne[c];
  }
}

void Tabella(QPainter& p, Pagine& pagine, const std::vector<RigaPiano>& righe,
             const std::shared_ptr<const FusoOrario>& fuso, const Colonne& colonne) {
  ModelloEventi m;
  m.Imposta(righe, fuso);
  p.setFont(Carattere(10, true));
  p.setPen(Qt::black);
  RigaTabella(p, m, colonne, -1, pagine.Posto(kRiga));
  p.setFont(Carattere(10));
  for (int r = 0; r < m.rowCount(); ++r) {
    p.setPen(m.Righe()[static_cast<std::size_t>(r)].osservabile ? Qt::black : Qt::gray);
    RigaTabella(p, m, colonne, r, pagine.Posto(kRiga));
  }
}

// A chart painted in the device's own pixels over the block (x, y, w, h) of
// the page's 96-per-inch units, with the window's 11-pixel font scaled alike.
template <class Dipingi>
void InPixel(QPainter& p, const Pagine& pagine, int x, int y, int w, int h, Dipingi dipingi) {
  const double s = pagine.Scala();
  p.save();
  p.resetTransform();
  dipingi(QRect(static_cast<int>(x * s), static_cast<int>(y * s), static_cast<int>(w * s),
                static_cast<int>(h * s)),
          Carattere(static_cast<int>(11 * s)));
  p.restore();
}

// The light curves of the night's mutual events, two abreast.
void Curve(QPainter& p, Pagine& pagine, const std::vector<RigaPiano>& righe,
           const DatiStampa& dati) {
  std::vector<CurvaEvento> curve;
  for (const RigaPiano& r : righe)
    if (const EventoMutuo* m = r.Mutuo())
      if (std::optional<CurvaEvento> c = CurvaDellEvento(*m, dati.deltaT)) curve.push_back(*c);
  const int larghezza = (pagine.Larghezza() - kSpazio) / 2;
  for (std::size_t k = 0; k < curve.size(); k += 2) {
    const int y = pagine.Posto(kAltezzaCurva + kSpazio);
    for (std::size_t j = k; j < std::min(k + 2, curve.size()); ++j) {
      const int x = static_cast<int>(j - k) * (larghezza + kSpazio);
      InPixel(p, pagine, x, y, larghezza, kAltezzaCurva, [&](QRect area, const QFont& font) {
        DipingiCurva(p, area, font, curve[j], *dati.fuso, TitoloCurva(curve[j].evento), true);
      });
    }
  }
}

}  // namespace

bool DipingiPiano(QPagedPaintDevice& carta, const DatiStampa& dati, const Progresso& progresso) {
  QPainter p(&carta);
  Pagine pagine(carta, p);
  const int larghezza = pagine.Larghezza();
  p.setPen(Qt::black);
  p.setFont(Carattere(15, true));
  Testo(p, QRect(0, pagine.Posto(24), larghezza, 24), QString::fromStdString(dati.titolo));
  p.setFont(Carattere(11));
  Testo(p, QRect(0, pagine.Posto(kRiga + kSpazio), larghezza, kRiga),
        QString::fromStdString(dati.intestazione));

  const std::vector<RigheDellaNotte> notti = RighePerNotte(dati.righe, *dati.fuso);
  ModelloEventi tutte;
  tutte.Imposta(dati.righe, dati.fuso);
  const Colonne colonne = LarghezzeColonne(p, tutte, larghezza);
  if (notti.empty()) {
    Testo(p, QRect(0, pagine.Posto(kRiga), larghezza, kRiga), QString::fromUtf8("Nessun evento."));
  }
  for (std::size_t k = 0; k < notti.size(); ++k) {
    const RigheDellaNotte& n = notti[k];
    const std::optional<Notte> notte = NotteDi(n.istante, *dati.fuso, dati.sito, dati.deltaT);
    if (notte) {
      // The night whole on one page when it fits a page, else the chart with
      // at least its first rows.
      const bool curve = std::any_of(n.righe.begin(), n.righe.end(),
                                     [](const RigaPiano& r) { return r.Mutuo() != nullptr; });
      const int intera = kAltezzaGrafico + kSpazio + (1 + static_cast<int>(n.righe.size())) * kRiga +
                         (curve ? kAltezzaCurva + kSpazio : 0);
      pagine.Spazio(intera <= pagine.Altezza() ? intera : kAltezzaGrafico + kSpazio + 3 * kRiga);
      const int y = pagine.Posto(kAltezzaGrafico + kSpazio);
      InPixel(p, pagine, 0, y, larghezza, kAltezzaGrafico, [&](QRect area, const QFont& font) {
        DipingiNotte(p, area, font, *notte, n.righe,
                     {.altezzaMinima = dati.altezzaMinima,
                      .titolo = TitoloNotte(*notte) + " (ore locali)",
                      .scelto = std::nullopt},
                     true);
      });
    }
    Tabella(p, pagine, n.righe, dati.fuso, colonne);
    Curve(p, pagine, n.righe, dati);
    pagine.Posto(kSpazio);
    if (progresso && !progresso(static_cast<int>(k + 1), static_cast<int>(notti.size()))) return false;
  }
  return true;
}

std::optional<QByteArray> PdfDelPiano(const DatiStampa& dati, const Progresso& progresso,
                                      std::optional<QPageLayout> impaginazione) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter scrittore(&buffer);
    scrittore.setCreator(QString::fromUtf8("MacchiaRossa"));
    scrittore.setTitle(QString::fromStdString(dati.titolo));
    scrittore.setResolution(static_cast<int>(kPollici));
    scrittore.setPageLayout(impaginazione.value_or(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                    QPageLayout::Millimeter)));
    if (!DipingiPiano(scrittore, dati, progresso)) return std::nullopt;
  }
  return pdf;
}

}  // namespace mr
