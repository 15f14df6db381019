// The main window of a Qt test, opened on the test's folder.
#pragma once
#include <QCoreApplication>

#include <filesystem>
#include <memory>

#include "window/qt/finestra_principale.h"

namespace mr::prova {

// Closes the window held in finestra (if any), then opens a new one on
// cartella, shows it and lets it handle its first events.
inline FinestraPrincipale& ApriPrincipale(std::unique_ptr<FinestraPrincipale>& finestra,
                                          const std::filesystem::path& cartella) {
  finestra.reset();
  finestra = std::make_unique<FinestraPrincipale>(cartella);
  finestra->show();
  QCoreApplication::processEvents();
  return *finestra;
}

}  // namespace mr::prova
