#include "window/qt/visione_notturna.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QGraphicsEffect>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolTip>
#include <QWidget>
#include <cmath>

#include "window/qt/tela_qpainter.h"

namespace mr {

namespace {

bool attiva_ = false;

// The red of the night palette's text; the brightest ink on the face.
constexpr int rossoTesto = 190;

int Luma(QColor c) {
  return static_cast<int>(std::lround(0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue()));
}

QColor Faccia() { return ColoreQt(ColoreFacciata); }

bool RuoloDiFondo(QPalette::ColorRole ruolo) {
  switch (ruolo) {
    case QPalette::Window:
    case QPalette::Base:
    case QPalette::Button:
    case QPalette::AlternateBase:
    case QPalette::ToolTipBase:
      return true;
    default:
      return false;
  }
}

// The design colour of a role, kept on the widget as a dynamic property.
QByteArray Proprieta(QPalette::ColorRole ruolo) {
  return "mr_colore_" + QByteArray::number(static_cast<int>(ruolo));
}

// The background the widget's text stands on: the nearest design background
// of the widget or of its parents, else the face.
QColor FondoDi(const QWidget* w) {
  const QByteArray nome = Proprieta(QPalette::Window);
  for (; w; w = w->parentWidget()) {
    const QVariant fondo = w->property(nome.constData());
    if (fondo.isValid()) return fondo.value<QColor>();
  }
  return Faccia();
}

void Applica(QWidget* w, QPalette::ColorRole ruolo, QColor disegno) {
  const QColor colore =
      RuoloDiFondo(ruolo) ? ColoreFondo(disegno) : ColoreInchiostro(disegno, FondoDi(w));
  if (w->palette().color(QPalette::Active, ruolo) == colore &&
      w->palette().color(QPalette::Inactive, ruolo) == colore)
    return;
  QPalette tavolozza = w->palette();
  tavolozza.setColor(QPalette::Active, ruolo, colore);
  tavolozza.setColor(QPalette::Inactive, ruolo, colore);
  w->setPalette(tavolozza);
}

// The picture of a label through the filter at night, and back by day. The
// original is kept on the label; the filtered one is known by its cache key,
// so a picture the label was given meanwhile is taken as a new original.
void FiltraEtichetta(QLabel* l) {
  const QPixmap attuale = l->pixmap();
  if (attuale.isNull()) return;
  const bool filtrata = l->property("mr_filtrata").toLongLong() == attuale.cacheKey();
  if (attiva_ && !filtrata) {
    l->setProperty("mr_originale", attuale);
    l->setPixmap(QPixmap::fromImage(FiltroRosso(attuale.toImage())));
    l->setProperty("mr_filtrata", l->pixmap().cacheKey());
  } else if (!attiva_ && filtrata) {
    l->setPixmap(l->property("mr_originale").value<QPixmap>());
    l->setProperty("mr_originale", QVariant());
    l->setProperty("mr_filtrata", QVariant());
  }
}

// The style of the night: one that paints with the palette's colours alone
// (the usual one shades buttons and frames with greys of its own), with the
// focus frame drawn in the palette's text colour rather than in the negative
// of what is under it.
class StileNotturno : public QProxyStyle {
 public:
  StileNotturno() : QProxyStyle(QStyleFactory::create("Windows")) {}

  void drawPrimitive(PrimitiveElement elemento, const QStyleOption* opzione, QPainter* p,
                     const QWidget* w) const override {
    if (elemento != PE_FrameFocusRect) {
      QProxyStyle::drawPrimitive(elemento, opzione, p, w);
      return;
    }
    p->save();
    p->setPen(QPen(opzione->palette.color(QPalette::WindowText), 1, Qt::DotLine));
    p->setBrush(Qt::NoBrush);
    p->drawRect(opzione->rect.adjusted(0, 0, -1, -1));
    p->restore();
  }
};

// The text cursor inverts what it stands on, which turns dark red into a
// light cyan: the fields of text keep only the red of what they paint.
class SoloRosso : public QGraphicsEffect {
 protected:
  void draw(QPainter* p) override {
    QPoint scostamento;
    const QPixmap sorgente = sourcePixmap(Qt::DeviceCoordinates, &scostamento);
    QImage immagine = sorgente.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < immagine.height(); ++y) {
      auto* riga = reinterpret_cast<QRgb*>(immagine.scanLine(y));
      for (int x = 0; x < immagine.width(); ++x) riga[x] &= 0xffff0000u;
    }
    p->save();
    p->setWorldTransform(QTransform());
    p->drawImage(scostamento, immagine);
    p->restore();
  }
};

// The widgets that draw a text cursor: line edits (the editable lists' too)
// and the scrolling views of text and tables.
bool CampoDiTesto(const QObject* o) {
  return qobject_cast<const QLineEdit*>(o) || qobject_cast<const QAbstractScrollArea*>(o);
}

void FiltraCampo(QWidget* w) {
  const bool filtrata = dynamic_cast<SoloRosso*>(w->graphicsEffect()) != nullptr;
  if (attiva_ && !filtrata) w->setGraphicsEffect(new SoloRosso);
  if (!attiva_ && filtrata) w->setGraphicsEffect(nullptr);
}

// Filters the pictures of the labels and the fields of text as they are
// shown: a window opened at night needs no code of its own.
class FiltroAllaMostra : public QObject {
 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Show || !attiva_) return false;
    if (auto* l = qobject_cast<QLabel*>(o)) FiltraEtichetta(l);
    if (CampoDiTesto(o)) FiltraCampo(static_cast<QWidget*>(o));
    return false;
  }
};

void InstallaFiltro() {
  static FiltroAllaMostra* filtro = nullptr;
  if (filtro) return;
  filtro = new FiltroAllaMostra;
  filtro->setParent(qApp);
  qApp->installEventFilter(filtro);
}

}  // namespace

bool VisioneNotturna() { return attiva_; }

void ImpostaVisioneNotturna(bool attiva) {
  // The day's look as it was before the first night.
  static QString stileGiorno;
  static QPalette giorno, suggerimentiGiorno;
  InstallaFiltro();
  if (attiva == attiva_) return;
  attiva_ = attiva;
  if (attiva) {
    stileGiorno = QApplication::style()->name();
    giorno = QApplication::palette();
    suggerimentiGiorno = QToolTip::palette();
    QApplication::setStyle(new StileNotturno);
    QApplication::setPalette(TavolozzaNotturna());
    QToolTip::setPalette(TavolozzaNotturna());
  } else {
    if (QStyle* stile = QStyleFactory::create(stileGiorno)) QApplication::setStyle(stile);
    if (QApplication::palette() != giorno) QApplication::setPalette(giorno);
    QToolTip::setPalette(suggerimentiGiorno);
  }
  for (QWidget* w : QApplication::allWidgets()) {
    for (int r = 0; r < QPalette::NColorRoles; ++r) {
      const auto ruolo = static_cast<QPalette::ColorRole>(r);
      const QVariant disegno = w->property(Proprieta(ruolo).constData());
      if (disegno.isValid()) Applica(w, ruolo, disegno.value<QColor>());
    }
    if (auto* l = qobject_cast<QLabel*>(w)) FiltraEtichetta(l);
    if (CampoDiTesto(w)) FiltraCampo(w);
    w->update();
  }
}

QColor FiltroRosso(QColor c) { return QColor(Luma(c), 0, 0, c.alpha()); }

QImage FiltroRosso(const QImage& immagine) {
  if (immagine.isNull()) return immagine;
  QImage r = immagine.convertToFormat(immagine.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                 : QImage::Format_RGB32);
  for (int y = 0; y < r.height(); ++y) {
    auto* riga = reinterpret_cast<QRgb*>(r.scanLine(y));
    for (int x = 0; x < r.width(); ++x) {
      const QRgb p = riga[x];
      riga[x] = qRgba(Luma(QColor(qRed(p), qGreen(p), qBlue(p))), 0, 0, qAlpha(p));
    }
  }
  return r;
}

QPalette TavolozzaNotturna() {
  const auto rosso = [](int r) { return QColor(r, 0, 0); };
  QPalette p;
  struct Voce {
    QPalette::ColorRole ruolo;
    int attivo, disabilitato;
  };
  const Voce voci[] = {
      {QPalette::Window, 0, 0},           {QPalette::WindowText, rossoTesto, 95},
      {QPalette::Base, 22, 10},           {QPalette::AlternateBase, 32, 16},
      {QPalette::Text, rossoTesto, 95},   {QPalette::PlaceholderText, 100, 70},
      {QPalette::Button, 40, 20},         {QPalette::ButtonText, rossoTesto, 95},
      {QPalette::BrightText, 255, 120},   {QPalette::Light, 80, 40},
      {QPalette::Midlight, 60, 30},       {QPalette::Mid, 32, 16},
      {QPalette::Dark, 24, 12},           {QPalette::Shadow, 0, 0},
      {QPalette::Highlight, 110, 40},     {QPalette::HighlightedText, 235, 110},
      {QPalette::Link, 220, 95},          {QPalette::LinkVisited, 150, 80},
      {QPalette::ToolTipBase, 24, 24},    {QPalette::ToolTipText, rossoTesto, rossoTesto},
  };
  for (const Voce& v : voci) {
    p.setColor(QPalette::Active, v.ruolo, rosso(v.attivo));
    p.setColor(QPalette::Inactive, v.ruolo, rosso(v.attivo));
    p.setColor(QPalette::Disabled, v.ruolo, rosso(v.disabilitato));
  }
  return p;
}

QColor ColoreScena(QColor c) { return attiva_ ? FiltroRosso(c) : c; }

QColor ColoreFondo(QColor c) {
  if (!attiva_) return c;
  return c == Faccia() ? TavolozzaNotturna().color(QPalette::Window) : FiltroRosso(c);
}

QColor ColoreInchiostro(QColor inchiostro, QColor fondo) {
  if (!attiva_) return inchiostro;
  if (fondo != Faccia()) return FiltroRosso(inchiostro);
  const QColor negativo(255 - inchiostro.red(), 255 - inchiostro.green(), 255 - inchiostro.blue(),
                        inchiostro.alpha());
  const QColor r = FiltroRosso(negativo);
  return QColor(r.red() * rossoTesto / 255, 0, 0, r.alpha());
}

QImage ImmagineScena(const QImage& immagine) {
  return attiva_ ? FiltroRosso(immagine) : immagine;
}

void ImpostaColore(QWidget* w, QPalette::ColorRole ruolo, QColor colore) {
  const QByteArray nome = Proprieta(ruolo);
  if (w->property(nome.constData()) != QVariant(colore)) w->setProperty(nome.constData(), colore);
  Applica(w, ruolo, colore);
}

}  // namespace mr
