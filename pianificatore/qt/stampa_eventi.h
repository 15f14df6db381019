// The planner's list on paper: a heading with the site and the Red Spot's
// longitude, then night by night the chart, the rows of that night and the
// light curves of its mutual events.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ephemeris/orizzonte.h"
#include "pianificatore/fuso_orario.h"
#include "pianificatore/piano.h"

class QPagedPaintDevice;

namespace mr {

struct DatiStampa {
  std::string titolo;        // "Fenomeni di Giove dal 12/02/2027 21:14 CET per 7 giorni"
  std::string intestazione;  // the site, the Red Spot's longitude, the zone
  std::vector<RigaPiano> righe;  // in time order
  std::shared_ptr<const FusoOrario> fuso;
  Sito sito;
  double deltaT = 0;
  double altezzaMinima = 10;
};

// Called after each night with the nights done and their number; false
// stops the printing.
using Progresso = std::function<bool(int fatte, int totale)>;

// Paints the pages on carta (a printer or a PDF writer). False when
// progresso stopped it.
bool DipingiPiano(QPagedPaintDevice& carta, const DatiStampa& dati, const Progresso& progresso);

// The same as a PDF document, in the page layout given (A4 portrait with
// margins of 15 mm when none). Nothing when progresso stopped it.
std::optional<QByteArray> PdfDelPiano(const DatiStampa& dati, const Progresso& progresso,
                                      std::optional<QPageLayout> impaginazione = std::nullopt);

}  // namespace mr
