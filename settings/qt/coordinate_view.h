// The window of the settings dialog: a thin view over Coordinate.
#pragma once

#include "settings/coordinate.h"

#include <QDialog>
#include <QMessageBox>
#include <array>
#include <filesystem>

class QLineEdit;

namespace mr {

// Modeless; the main window keeps one and calls Mostra from its menu. Closing
// it by OK, by Esc or by the window's close box discards unsaved edits.
class CoordinateView : public QDialog {
  Q_OBJECT

 public:
  explicit CoordinateView(std::filesystem::path cartella, QWidget* parent = nullptr);

  // Reloads "Imp.txt" into the fields and shows the dialog in front.
  void Mostra();

  Coordinate& Modello() { return modello_; }

  void done(int esito) override;

 private:
  void Salva_Click();
  void DaModello();
  void AlModello();
  void Avvisa(QMessageBox::Icon icona, const std::string& testo);

  Coordinate modello_;
  std::array<QLineEdit*, 6> testi_{};
  QMessageBox* avviso_ = nullptr;
};

}  // namespace mr
