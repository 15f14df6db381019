#include "pianificatore/qt/modello_eventi.h"

#include <QApplication>
#include <QPalette>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "ephemeris/calendario.h"
#include "ephemeris/eventi.h"
#include "pianificatore/testi_eventi.h"

namespace mr {

namespace {

QString Utf8(const std::string& s) { return QString::fromStdString(s); }

// "12/02/2027 20:14": UT to the nearest minute.
std::string TestoTU(double jdUT) {
  const std::optional<DataOraUT> d = DataOraAlSecondo(MinutoPiuVicino(jdUT));
  if (!d) return "";
  char testo[40];
  std::snprintf(testo, sizeof testo, "%02d/%02d/%04d %02d:%02d", d->giorno, d->mese, d->anno,
                d->ore, d->minuti);
  return testo;
}

}  // namespace

ModelloEventi::ModelloEventi(QObject* genitore) : QAbstractTableModel(genitore) {}

void ModelloEventi::Imposta(std::vector<RigaPiano> righe, std::shared_ptr<const FusoOrario> fuso) {
  beginResetModel();
  righe_ = OrdinaPerTempo(std::move(righe), crescente_);
  fuso_ = std::move(fuso);
  endResetModel();
}

int ModelloEventi::rowCount(const QModelIndex& genitore) const {
  return genitore.isValid() ? 0 : static_cast<int>(righe_.size());
}

int ModelloEventi::columnCount(const QModelIndex& genitore) const {
  return genitore.isValid() ? 0 : NumeroColonne;
}

QString ModelloEventi::Testo(const RigaPiano& r, int colonna) const {
  switch (colonna) {
    case OraLocale: return fuso_ ? Utf8(TestoOraLocale(*fuso_, r.Istante())) : QString();
    case TU: return Utf8(TestoTU(r.Istante()));
    case Sigla: return Utf8(SiglaRiga(r));
    case Descrizione: return Utf8(TestoRiga(r));
    case Durata: return Utf8(DurataRiga(r));
    case Giove: return Utf8(TestoGradi(r.AltGiove()));
    case Cielo: return QString::fromUtf8(NomeCielo(CieloDi(r.AltSole())));
  }
  return {};
}

QString ModelloEventi::Suggerimento(const RigaPiano& r) const {
  QString testo = Utf8(TestoRiga(r)) + "\n";
  if (const EventoMutuo* m = r.Mutuo())
    testo += fuso_ ? Utf8(DettagliMutuo(*m, *fuso_)) : QString();
  else
    testo += Utf8(SiglaRiga(r) + "  " + TestoUTC(r.Istante()));
  if (!r.osservabile) testo += QString::fromUtf8("\nNon osservabile con il filtro scelto");
  return testo;
}

QVariant ModelloEventi::data(const QModelIndex& indice, int ruolo) const {
  if (!indice.isValid() || indice.row() >= rowCount()) return {};
  const RigaPiano& r = righe_[static_cast<std::size_t>(indice.row())];
  switch (ruolo) {
    case Qt::DisplayRole: return Testo(r, indice.column());
    case RuoloIstante: return r.Istante();
    case Qt::ToolTipRole: return Suggerimento(r);
    case Qt::TextAlignmentRole:
      if (indice.column() == Giove || indice.column() == Durata)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
      return {};
    case Qt::ForegroundRole:
      // Greyed as the palette greys, so night vision greys it its own way.
      if (!r.osservabile) return QApplication::palette().color(QPalette::Disabled, QPalette::Text);
      return {};
  }
  return {};
}

QVariant ModelloEventi::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const {
  if (orientamento != Qt::Horizontal || ruolo != Qt::DisplayRole) return {};
  switch (sezione) {
    case OraLocale: return QString::fromUtf8("Ora locale");
    case TU: return QString::fromUtf8("Tempo universale");
    case Sigla: return QString::fromUtf8("Sigla");
    case Descrizione: return QString::fromUtf8("Evento");
    case Durata: return QString::fromUtf8("Durata");
    case Giove: return QString::fromUtf8("Alt. Giove");
    case Cielo: return QString::fromUtf8("Cielo");
  }
  return {};
}

void ModelloEventi::sort(int, Qt::SortOrder ordine) {
  const bool crescente = ordine == Qt::AscendingOrder;
  if (crescente == crescente_) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The selection and the current row follow their events: a row is its
  // instant and its description.
  using Chiave = std::pair<double, std::string>;
  const auto chiave = [](const RigaPiano& r) { return Chiave{r.Istante(), TestoRiga(r)}; };
  const QModelIndexList vecchi = persistentIndexList();
  std::vector<Chiave> chiavi;
  for (const QModelIndex& v : vecchi) chiavi.push_back(chiave(righe_[static_cast<std::size_t>(v.row())]));
  crescente_ = crescente;
  righe_ = OrdinaPerTempo(std::move(righe_), crescente_);
  std::map<Chiave, int> nuove;
  for (std::size_t i = 0; i < righe_.size(); ++i) nuove[chiave(righe_[i])] = static_cast<int>(i);
  QModelIndexList spostati;
  for (int k = 0; k < vecchi.size(); ++k)
    spostati.append(index(nuove.at(chiavi[static_cast<std::size_t>(k)]), vecchi[k].column()));
  changePersistentIndexList(vecchi, spostati);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace mr
