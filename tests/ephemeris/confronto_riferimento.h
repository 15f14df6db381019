// The reference events of tests/data/riferimento (an independent computation
// with the same conventions; the folder's README says how they were made) and
// their comparison with the event finder's lists. Used by the tests and by
// the accuracy table of bench/.
#pragma once

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "ephemeris/eventi.h"

namespace mr::riferimento {

// The site of every reference window: 12 deg 30' E, 41 deg 54' N, 0 m.
inline const Sito kSito{12.5, 41.9, 0};

struct Finestra {
  std::string nome;
  double inizio = 0, giorni = 0, deltaT = 0;  // UT Julian day, days, seconds
  ModelloMacchia macchia;
};

struct EventoAtteso {
  double jdUT = 0;
  std::string evento;
  int satellite = -1;
  double altGiove = 0, altSole = 0;
  bool nascosto = false;
};

// The flat objects {...} of a JSON text, in order.
inline std::vector<std::string_view> Oggetti(std::string_view testo) {
  std::vector<std::string_view> oggetti;
  for (std::size_t a = testo.find('{'); a != std::string_view::npos; a = testo.find('{', a + 1)) {
    std::size_t b = testo.find('}', a);
    if (b == std::string_view::npos) break;
    oggetti.push_back(testo.substr(a + 1, b - a - 1));
    a = b;
  }
  return oggetti;
}

// The members of a flat JSON object: name to value text (strings unquoted).
inline std::map<std::string, std::string> Campi(std::string_view oggetto) {
  std::map<std::string, std::string> campi;
  std::size_t i = 0;
  while ((i = oggetto.find('"', i)) != std::string_view::npos) {
    std::size_t fineNome = oggetto.find('"', i + 1);
    std::size_t duepunti = oggetto.find(':', fineNome);
    if (fineNome == std::string_view::npos || duepunti == std::string_view::npos) break;
    std::string nome(oggetto.substr(i + 1, fineNome - i - 1));
    std::size_t v = oggetto.find_first_not_of(" \t\r\n", duepunti + 1);
    if (v == std::string_view::npos) break;
    if (oggetto[v] == '"') {
      std::size_t fine = oggetto.find('"', v + 1);
      campi[nome] = std::string(oggetto.substr(v + 1, fine - v - 1));
      i = fine + 1;
    } else {
      std::size_t fine = oggetto.find_first_of(",", v);
      std::string_view valore = oggetto.substr(v, fine == std::string_view::npos ? fine : fine - v);
      campi[nome] = std::string(valore.substr(0, valore.find_last_not_of(" \t\r\n") + 1));
      i = fine == std::string_view::npos ? oggetto.size() : fine;
    }
  }
  return campi;
}

// A number of a field, NaN when absent or unreadable.
inline double Numero(const std::map<std::string, std::string>& campi, const std::string& nome) {
  auto it = campi.find(nome);
  double x = NAN;
  if (it == campi.end()) return x;
  const std::string& s = it->second;
  auto [fine, errore] = std::from_chars(s.data(), s.data() + s.size(), x);
  return errore == std::errc() && fine == s.data() + s.size() ? x : NAN;
}

inline std::string Testo(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::vector<Finestra> LeggiFinestre(const std::filesystem::path& cartella) {
  std::vector<Finestra> finestre;
  const std::string testo = Testo(cartella / "finestre.json");
  for (std::string_view o : Oggetti(testo)) {
    auto c = Campi(o);
    finestre.push_back({c["nome"], Numero(c, "inizio_jd_ut"), Numero(c, "giorni"),
                        Numero(c, "delta_t"),
                        {Numero(c, "l0"), Numero(c, "deriva"), Numero(c, "epoca_jd_ut")}});
  }
  return finestre;
}

inline std::vector<EventoAtteso> LeggiEventi(const std::filesystem::path& cartella,
                                             const Finestra& f) {
  std::vector<EventoAtteso> eventi;
  const std::string testo = Testo(cartella / ("eventi_" + f.nome + ".jsonl"));
  for (std::string_view o : Oggetti(testo)) {
    auto c = Campi(o);
    eventi.push_back({Numero(c, "jd_ut"), c["evento"], static_cast<int>(Numero(c, "satellite")),
                      Numero(c, "alt_giove"), Numero(c, "alt_sole"), c["nascosto"] == "true"});
  }
  return eventi;
}

inline RicercaEventi EventiDellaFinestra(const Finestra& f) {
  return CercaEventi(f.inizio, f.giorni, f.deltaT, kSito, f.macchia);
}

struct Confronto {
  std::vector<double> errori[5];         // seconds, ours less the reference, by satellite
  std::vector<std::string> mancanti;     // reference events with no counterpart
  std::vector<std::string> inattesi;     // our events with no counterpart
  std::vector<std::string> nascostiDiversi;
  double scartoAltezze = 0;              // degrees, largest, over events within 1 s
};

inline std::string Descrizione(const std::string& finestra, const std::string& evento,
                               int satellite, double jdUT) {
  std::ostringstream s;
  s.precision(12);
  s << finestra << ": " << evento << " " << satellite << " at JD " << jdUT;
  return s.str();
}

// Pairs each reference event with our nearest event of the same code and
// satellite (within 10 minutes); events within 2 minutes of the window's ends
// may lack a counterpart.
inline void Confronta(const Finestra& f, const std::vector<EventoAtteso>& attesi,
                      const std::vector<Evento>& nostri, Confronto& c) {
  const double margine = 2.0 / 1440, vicino = 10.0 / 1440;
  auto alBordo = [&](double jd) {
    return jd - f.inizio < margine || f.inizio + f.giorni - jd < margine;
  };
  std::vector<bool> usato(nostri.size(), false);
  for (const EventoAtteso& a : attesi) {
    std::size_t migliore = nostri.size();
    for (std::size_t k = 0; k < nostri.size(); ++k) {
      const Evento& e = nostri[k];
      if (usato[k] || e.satellite != a.satellite || a.evento != SiglaEvento(e.codice)) continue;
      if (std::abs(e.jdUT - a.jdUT) > vicino) continue;
      if (migliore == nostri.size() ||
          std::abs(e.jdUT - a.jdUT) < std::abs(nostri[migliore].jdUT - a.jdUT)) {
        migliore = k;
      }
    }
    if (migliore == nostri.size()) {
      if (!alBordo(a.jdUT)) {
        c.mancanti.push_back(Descrizione(f.nome, a.evento, a.satellite, a.jdUT));
      }
      continue;
    }
    usato[migliore] = true;
    const Evento& e = nostri[migliore];
    double secondi = (e.jdUT - a.jdUT) * 86400;
    if (a.satellite >= 0 && a.satellite <= 4) c.errori[a.satellite].push_back(secondi);
    if (e.nascosto != a.nascosto) {
      c.nascostiDiversi.push_back(Descrizione(f.nome, a.evento, a.satellite, a.jdUT));
    }
    if (std::abs(secondi) <= 1) {
      c.scartoAltezze = std::max({c.scartoAltezze, std::abs(e.altGiove - a.altGiove),
                                  std::abs(e.altSole - a.altSole)});
    }
  }
  for (std::size_t k = 0; k < nostri.size(); ++k) {
    if (!usato[k] && !alBordo(nostri[k].jdUT)) {
      c.inattesi.push_back(
          Descrizione(f.nome, SiglaEvento(nostri[k].codice), nostri[k].satellite, nostri[k].jdUT));
    }
  }
}

struct Statistica {
  std::size_t n = 0;
  double media = 0;    // signed mean, seconds
  double p95 = 0;      // 95th percentile of the absolute errors (nearest rank)
  double massimo = 0;  // largest absolute error
};

inline Statistica Statistiche(const std::vector<double>& errori) {
  Statistica s;
  s.n = errori.size();
  if (s.n == 0) return s;
  std::vector<double> assoluti;
  for (double e : errori) {
    s.media += e / static_cast<double>(s.n);
    assoluti.push_back(std::abs(e));
  }
  std::sort(assoluti.begin(), assoluti.end());
  s.p95 = assoluti[static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(s.n))) - 1];
  s.massimo = assoluti.back();
  return s;
}

}  // namespace mr::riferimento
