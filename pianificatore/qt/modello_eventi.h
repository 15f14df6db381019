// The planner's list as a Qt table model: one row per RigaPiano, columns for
// the local time, UT, the code, the description, the duration (of a pair, of
// a mutual event), Jupiter's altitude and the sky. Sorting (by time, either
// way) keeps pairs together.
#pragma once

#include <QAbstractTableModel>
#include <memory>
#include <vector>

#include "pianificatore/fuso_orario.h"
#include "pianificatore/piano.h"

namespace mr {

class ModelloEventi : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Colonna { OraLocale, TU, Sigla, Descrizione, Durata, Giove, Cielo, NumeroColonne };
  // The row's instant, UT Julian day (double): a mutual event's maximum.
  static constexpr int RuoloIstante = Qt::UserRole + 1;

  explicit ModelloEventi(QObject* genitore = nullptr);

  // The rows in time order and the zone of the local times.
  void Imposta(std::vector<RigaPiano> righe, std::shared_ptr<const FusoOrario> fuso);
  // The rows as shown, in the order of the latest sort.
  const std::vector<RigaPiano>& Righe() const { return righe_; }
  bool Crescente() const { return crescente_; }

  int rowCount(const QModelIndex& genitore = {}) const override;
  int columnCount(const QModelIndex& genitore = {}) const override;
  QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
  QVariant headerData(int sezione, Qt::Orientation orientamento,
                      int ruolo = Qt::DisplayRole) const override;
  // By time, whatever the column.
  void sort(int colonna, Qt::SortOrder ordine = Qt::AscendingOrder) override;

 private:
  QString Testo(const RigaPiano& r, int colonna) const;
  QString Suggerimento(const RigaPiano& r) const;

  std::vector<RigaPiano> righe_;
  std::shared_ptr<const FusoOrario> fuso_;
  bool crescente_ = true;
};

}  // namespace mr
