// The reference mutual events of tests/data/riferimento (mutui.json and
// mutui_<nome>.jsonl, an independent computation with the same definitions)
// and their comparison with the mutual-event finder's lists. Used by the tests
// and by the accuracy table of bench/.
#pragma once

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "confronto_riferimento.h"
#include "ephemeris/mutui.h"

namespace mr::riferimento {

struct FinestraMutui {
  std::string nome;
  double inizio = 0, giorni = 0, deltaT = 0;  // UT Julian day, days, seconds
};

struct MutuoAtteso {
  std::string tipo;  // "OCC", "ECL"
  int attivo = 0, passivo = 0;
  double jdInizio = 0, jdMassimo = 0, jdFine = 0;
  double impattoKm = 0, caloMag = 0, altGiove = 0, altSole = 0;
  std::string giove, genere;
};

inline std::vector<FinestraMutui> LeggiFinestreMutui(const std::filesystem::path& cartella) {
  std::vector<FinestraMutui> finestre;
  const std::string testo = Testo(cartella / "mutui.json");
  for (std::string_view o : Oggetti(testo)) {
    auto c = Campi(o);
    finestre.push_back(
        {c["nome"], Numero(c, "inizio_jd_ut"), Numero(c, "giorni"), Numero(c, "delta_t")});
  }
  return finestre;
}

inline std::vector<MutuoAtteso> LeggiMutui(const std::filesystem::path& cartella,
                                           const FinestraMutui& f) {
  std::vector<MutuoAtteso> eventi;
  const std::string testo = Testo(cartella / ("mutui_" + f.nome + ".jsonl"));
  for (std::string_view o : Oggetti(testo)) {
    auto c = Campi(o);
    eventi.push_back({c["tipo"], static_cast<int>(Numero(c, "attivo")),
                      static_cast<int>(Numero(c, "passivo")), Numero(c, "jd_inizio"),
                      Numero(c, "jd_massimo"), Numero(c, "jd_fine"), Numero(c, "impatto_km"),
                      Numero(c, "calo_mag"), Numero(c, "alt_giove"), Numero(c, "alt_sole"),
                      c["giove"], c["genere"]});
  }
  return eventi;
}

inline RicercaMutui MutuiDellaFinestra(const FinestraMutui& f, double caloMinimo) {
  return CercaMutui(f.inizio, f.giorni, f.deltaT, kSito, caloMinimo);
}

inline const char* NomeGenere(GenereMutuo g) {
  switch (g) {
    case GenereMutuo::Parziale: return "parziale";
    case GenereMutuo::Totale: return "totale";
    case GenereMutuo::Anulare: break;
  }
  return "anulare";
}

struct ConfrontoMutui {
  // Ours less the reference, over the events paired: seconds for the times,
  // km, magnitudes, degrees (the larger of Jupiter's and the Sun's).
  std::vector<double> massimi, inizi, fini, impatti, cali, altezze;
  std::vector<std::string> mancanti;  // reference events over the threshold not found
  std::vector<std::string> inattesi;  // our events with no reference counterpart
  std::vector<std::string> generiDiversi, posizioniDiversi;
};

inline std::string Descrizione(const std::string& finestra, const std::string& tipo, int attivo,
                               int passivo, double jdMassimo) {
  return Descrizione(finestra, tipo + " " + std::to_string(attivo), passivo, jdMassimo);
}

// Pairs each reference event with our nearest event of the same kind and pair
// whose maximum is within 10 minutes. A reference event with a drop of at
// least caloMinimo must be found; each of ours must have a counterpart (the
// reference lists drops down to 0.001 mag). Maxima within 2 minutes of the
// window's ends may lack a counterpart.
inline void ConfrontaMutui(const FinestraMutui& f, const std::vector<MutuoAtteso>& attesi,
                           const std::vector<EventoMutuo>& nostri, double caloMinimo,
                           ConfrontoMutui& c) {
  const double margine = 2.0 / 1440, vicino = 10.0 / 1440;
  auto alBordo = [&](double jd) {
    return jd - f.inizio < margine || f.inizio + f.giorni - jd < margine;
  };
  std::vector<bool> usato(nostri.size(), false);
  for (const MutuoAtteso& a : attesi) {
    std::size_t migliore = nostri.size();
    for (std::size_t k = 0; k < nostri.size(); ++k) {
      const EventoMutuo& e = nostri[k];
      if (usato[k] || a.tipo != SiglaMutuo(e.tipo) || a.attivo != e.attivo ||
          a.passivo != e.passivo || std::abs(e.jdMassimo - a.jdMassimo) > vicino) {
        continue;
      }
      double scarto = std::abs(e.jdMassimo - a.jdMassimo);
      if (migliore == nostri.size() ||
          scarto < std::abs(nostri[migliore].jdMassimo - a.jdMassimo)) {
        migliore = k;
      }
    }
    std::string nome = Descrizione(f.nome, a.tipo, a.attivo, a.passivo, a.jdMassimo);
    if (migliore == nostri.size()) {
      if (a.caloMag >= caloMinimo && !alBordo(a.jdMassimo)) c.mancanti.push_back(nome);
      continue;
    }
    usato[migliore] = true;
    const EventoMutuo& e = nostri[migliore];
    c.massimi.push_back((e.jdMassimo - a.jdMassimo) * 86400);
    c.inizi.push_back((e.jdInizio - a.jdInizio) * 86400);
    c.fini.push_back((e.jdFine - a.jdFine) * 86400);
    c.impatti.push_back(e.impattoKm - a.impattoKm);
    c.cali.push_back(e.caloMag - a.caloMag);
    double altezze[2] = {e.altGiove - a.altGiove, e.altSole - a.altSole};
    c.altezze.push_back(std::abs(altezze[0]) > std::abs(altezze[1]) ? altezze[0] : altezze[1]);
    if (a.genere != NomeGenere(e.genere)) c.generiDiversi.push_back(nome);
    if (a.giove != SiglaPosizione(e.giove)) c.posizioniDiversi.push_back(nome);
  }
  for (std::size_t k = 0; k < nostri.size(); ++k) {
    const EventoMutuo& e = nostri[k];
    if (!usato[k] && !alBordo(e.jdMassimo)) {
      c.inattesi.push_back(
          Descrizione(f.nome, SiglaMutuo(e.tipo), e.attivo, e.passivo, e.jdMassimo));
    }
  }
}

// The signed mean and the largest absolute value of a list of differences.
struct Scarti {
  std::size_t n = 0;
  double media = 0, mediaAssoluta = 0, massimo = 0;
};

inline Scarti Riassunto(const std::vector<double>& x) {
  Scarti s;
  s.n = x.size();
  for (double v : x) {
    s.media += v / static_cast<double>(s.n);
    s.mediaAssoluta += std::abs(v) / static_cast<double>(s.n);
    if (!(std::abs(v) <= s.massimo)) s.massimo = std::abs(v);  // NaN stays
  }
  return s;
}

}  // namespace mr::riferimento
