// The settings dialog "Osservatore - GMR - Delta T": the GRS longitude, the
// observer's position and Delta T, shown and saved as the six values of
// "Imp.txt". This is the dialog's state and handlers; the view only mirrors it.
#pragma once

#include <filesystem>
#include <string>

namespace mr {

class Coordinate {
 public:
  // cartella: the folder that holds "Imp.txt" (the working directory).
  explicit Coordinate(std::filesystem::path cartella);

  // Texts of the six fields, in the order of the file.
  std::string Text1;  // GRS longitude, System II, degrees
  std::string Text2;  // observer's longitude, degrees
  std::string Text3;  // observer's longitude, minutes
  std::string Text4;  // observer's latitude, degrees
  std::string Text5;  // observer's latitude, minutes
  std::string Text6;  // Delta T, seconds

  // What the last load found wrong with "Imp.txt" (missing, short,
  // unreadable), for the view to show; "" when the file was read whole, and
  // again after a successful save.
  std::string Problema;

  // Whether the dialog is open: set by Form_Load, cleared by OK_Click.
  bool Aperta = false;

  // Reads "Imp.txt" into the six fields; what the file lacks shows the defaults.
  void Form_Load();

  // Saves the six fields, each read leniently (the leading number of the
  // text, 0 when there is none), as "Imp.txt". Returns "" when saved, else the
  // message to show. The dialog stays open.
  std::string Salva_Click();

  // Closes without saving: unsaved edits are lost at the next load.
  void OK_Click();

  const std::filesystem::path& Cartella() const { return cartella_; }

 private:
  std::filesystem::path cartella_;
};

}  // namespace mr
