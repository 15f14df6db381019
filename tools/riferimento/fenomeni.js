'use strict';
// The satellites' phenomena (transits, shadows, occultations, eclipses) and the Red Spot
// transits over a UT window, by scanning smooth contact functions and solving their zeros.

const G = require('./geometria');
const { radice, zeri } = require('./numerica');

const PASSO = 5 / 1440;        // scan step, days
const TOL = 1e-9;              // root tolerance, days (0.09 ms)
const EPS = 2e-7;              // offset (days, 17 ms) to read a state on either side of a contact
const MARGINE = 0.5;           // days scanned beyond the window

// The four phenomena of satellite k at an instant, as booleans.
function stati(ist, k) {
  const s = ist.sat[k];
  return {
    Tr: s.gE < 0 && s.frontE,
    Oc: s.gE < 0 && !s.frontE,
    Ec: s.gEc < 0 && !s.frontEc,
    Sh: s.gSh < 0 && s.frontSh && s.visSh > 0,
  };
}

const CODICI = { Tr: ['Tr.I', 'Tr.E'], Oc: ['Oc.D', 'Oc.R'], Ec: ['Ec.D', 'Ec.R'], Sh: ['Sh.I', 'Sh.E'] };

// A tiny memo: root finding evaluates each instant for one function at a time.
function memo(f) {
  const m = new Map();
  return (t) => {
    let v = m.get(t);
    if (v === undefined) { v = f(t); m.set(t, v); if (m.size > 200000) m.clear(); }
    return v;
  };
}

// Satellite phenomena with UT in [ut0, ut1) (days from J2000).
function eventiSatelliti(ut0, ut1, passo = PASSO) {
  const ist = memo(G.istante);
  const funzioni = ['gE', 'gEc', 'gSh', 'visSh'];
  const eventi = [];
  for (let k = 0; k < 4; k++) {
    const contatti = [];
    for (const nome of funzioni) {
      for (const t of zeri((t) => ist(t).sat[k][nome], ut0 - MARGINE, ut1 + MARGINE, passo, TOL)) contatti.push(t);
    }
    contatti.sort((x, y) => x - y);
    for (const t of contatti) {
      if (t < ut0 || t >= ut1) continue;
      const prima = stati(ist(t - EPS), k), dopo = stati(ist(t + EPS), k), ora = ist(t);
      for (const tipo of ['Tr', 'Oc', 'Ec', 'Sh']) {
        if (prima[tipo] === dopo[tipo]) continue;
        const evento = CODICI[tipo][dopo[tipo] ? 0 : 1];
        // a contact of one phenomenon hidden by the other
        const st = stati(ora, k);
        const nascosto = (tipo === 'Oc' && st.Ec) || (tipo === 'Ec' && st.Oc);
        if (eventi.some((e) => e.satellite === k + 1 && e.evento === evento && Math.abs(e.ut - t) < 1e-6)) continue;
        eventi.push({ ut: t, evento, satellite: k + 1, nascosto });
      }
    }
  }
  return eventi;
}

// Red Spot transits: the central meridian passes L(t) = L0 + drift (t - epoch) / 30.4375, increasing.
function eventiMacchia(ut0, ut1, l0, deriva, epocaUt) {
  const L = (t) => l0 + deriva * (t - epocaUt) / 30.4375;
  const f = (t) => {
    const d = ((G.meridianoCentrale(t) - L(t)) % 360 + 540) % 360 - 180;
    return d;
  };
  const passo = 1 / 48;
  const eventi = [];
  let t = ut0 - passo, v = f(t);
  while (t < ut1) {
    const t2 = t + passo, v2 = f(t2);
    if (v < 0 && v2 >= 0 && v2 - v < 180) {
      const r = radice(f, t, t2, v, v2, TOL);
      if (r >= ut0 && r < ut1) eventi.push({ ut: r, evento: 'GRS', satellite: 0, nascosto: false });
    }
    t = t2; v = v2;
  }
  return eventi;
}

// All events of a window, in time order, with the altitudes at the site.
function eventi(finestra, osservatore) {
  G.impostaDeltaT(finestra.delta_t);
  const ut0 = finestra.inizio_jd_ut - G.J2000, ut1 = ut0 + finestra.giorni;
  const lista = eventiSatelliti(ut0, ut1)
    .concat(eventiMacchia(ut0, ut1, finestra.l0, finestra.deriva, finestra.epoca_jd_ut - G.J2000));
  lista.sort((x, y) => x.ut - y.ut || x.satellite - y.satellite);
  for (const e of lista) {
    const h = G.altezze(e.ut, osservatore);
    e.alt_giove = h.giove;
    e.alt_sole = h.sole;
  }
  return lista;
}

module.exports = { eventi, eventiSatelliti, eventiMacchia, stati, CODICI };
