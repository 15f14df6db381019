// The window of the settings dialog: a thin view over Coordinate.
#pragma once

#include "settings/coordinate.h"

#include <QDialog>
#include <QMessageBox>
#include <array>
#include <filesystem>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace mr {

// Modeless; the main window keeps one and calls Mostra from its menu. Closing
// it by OK, by Esc or by the window's close box with unsaved edits asks
// whether to save them.
class CoordinateView : public QDialog {
  Q_OBJECT

 public:
  explicit CoordinateView(std::filesystem::path cartella, QWidget* parent = nullptr);

  // Reloads "Imp.txt" into the fields and shows the dialog in front; a
  // dialog already open with unsaved edits keeps them.
  void Mostra();

  Coordinate& Modello() { return modello_; }

  // OK, Esc and the close box all end here.
  void done(int esito) override;

 private:
  void Salva_Click();
  void MostraEsito(const EsitoSalva& esito);
  Risposta ChiediSalvare();
  void DaModello();
  void AlModello();
  void MostraStato();
  void Avvisa(QMessageBox::Icon icona, const std::string& testo);

  Coordinate modello_;
  std::array<QLineEdit*, 6> testi_{};
  QRadioButton* est_ = nullptr;
  QRadioButton* ovest_ = nullptr;
  QRadioButton* nord_ = nullptr;
  QRadioButton* sud_ = nullptr;
  QLabel* stato_ = nullptr;
  QMessageBox* avviso_ = nullptr;
};

}  // namespace mr
