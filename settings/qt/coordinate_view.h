// The window of the settings dialog: a thin view over Coordinate.
#pragma once

#include "settings/coordinate.h"

#include <QDateTime>
#include <QDialog>
#include <QMessageBox>
#include <array>
#include <filesystem>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace mr {

// "Tonight" for an observer at the instant adesso: the local midnight (in
// adesso's zone) nearest to it, so from noon the coming one and in the
// morning the one just past, as "stanotte" means in Italian.
QDateTime MezzanotteDiStanotte(const QDateTime& adesso);

// Modeless; the main window keeps one and calls Mostra from its menu. Closing
// it by OK, by Esc or by the window's close box with unsaved edits asks
// whether to save them. Beside the fields of the file it shows the Red
// Spot's longitude for tonight and, under "Dalla tua osservazione", the
// longitude measured from the user's observation, which "Usa questi valori"
// puts into the fields for "Salva" to write.
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

  // The clock that says when "tonight" is (the computer's by default).
  void ImpostaOrologio(std::function<QDateTime()> orologio);

 protected:
  void changeEvent(QEvent* e) override;

 private:
  QWidget* ColonnaMacchia();
  void Dimensiona();
  void MostraMacchia();
  void Usa_Click();
  void Salva_Click();
  void MostraEsito(const EsitoSalva& esito);
  Risposta ChiediSalvare();
  void DaModello();
  void AlModello();
  void MostraStato();
  void Avvisa(QMessageBox::Icon icona, const std::string& testo);

  Coordinate modello_;
  std::array<QLineEdit*, 8> testi_{};
  QLineEdit* dataOsservazione_ = nullptr;
  QLineEdit* oraOsservazione_ = nullptr;
  QComboBox* zona_ = nullptr;
  QLabel* stanotte_ = nullptr;
  QLabel* misura_ = nullptr;
  QPushButton* usa_ = nullptr;
  QWidget* colonna_ = nullptr;
  std::function<QDateTime()> orologio_;
  QRadioButton* est_ = nullptr;
  QRadioButton* ovest_ = nullptr;
  QRadioButton* nord_ = nullptr;
  QRadioButton* sud_ = nullptr;
  QLabel* stato_ = nullptr;
  QMessageBox* avviso_ = nullptr;
};

}  // namespace mr
