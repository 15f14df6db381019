'use strict';
// The comparison windows: two with published predictions, and one 30-day window per
// year 2026..2040 starting at a seeded pseudo-random instant.

const OSSERVATORE = { longitudine: 12.5, latitudine: 41.9, altezza: 0 };
const EPOCA_MACCHIA = 2461100.5;   // 2026-03-01 0h UT

const jdGennaio = (anno) => Date.UTC(anno, 0, 1) / 86400000 + 2440587.5;

// mulberry32: a small, well-mixed 32-bit generator; fixed seeds keep the windows reproducible.
function generatore(seme) {
  let s = seme >>> 0;
  return () => {
    s = (s + 0x6D2B79F5) >>> 0;
    let t = s;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// A whole-second instant, uniformly drawn in [jd0, jd1), as a JD (UT).
function istanteCasuale(caso, jd0, jd1) {
  const s = Math.floor(caso() * Math.round((jd1 - jd0) * 86400));
  return jd0 + s / 86400;
}

function nomeMese(jd) {
  return new Date((jd - 2440587.5) * 86400000).toISOString().slice(0, 7);
}

function finestreFenomeni() {
  const f = [
    { nome: '2016-01', inizio_jd_ut: jdGennaio(2016), giorni: 5, delta_t: 68, l0: 70, deriva: 1.5, epoca_jd_ut: EPOCA_MACCHIA },
    { nome: '2019-01', inizio_jd_ut: jdGennaio(2019) + 15, giorni: 5, delta_t: 69, l0: 294, deriva: 0, epoca_jd_ut: EPOCA_MACCHIA },
  ];
  const caso = generatore(20260301);
  for (let anno = 2026; anno <= 2040; anno++) {
    const inizio = istanteCasuale(caso, jdGennaio(anno), jdGennaio(anno + 1));
    f.push({ nome: nomeMese(inizio), inizio_jd_ut: inizio, giorni: 30, delta_t: 69, l0: 70, deriva: 1.5, epoca_jd_ut: EPOCA_MACCHIA });
  }
  return f;
}

// Mutual events: four 20-day windows of the 2026-2027 season, seeded starts between
// 2026-10-01 and 2027-12-11 (so the last ends by 2027-12-31), one in each quarter of that span;
// the last quarter holds almost no events, so a fifth falls in the season's peak, Oct-Nov 2026.
function finestreMutui() {
  const caso = generatore(13);
  const jd0 = jdGennaio(2026) + 273, jd1 = jdGennaio(2028) - 1 - 20;
  const f = [];
  for (let i = 0; i < 4; i++) {
    const q = (jd1 - jd0) / 4;
    const inizio = istanteCasuale(caso, jd0 + i * q, jd0 + (i + 1) * q);
    const nome = new Date((inizio - 2440587.5) * 86400000).toISOString().slice(0, 10);
    f.push({ nome, inizio_jd_ut: inizio, giorni: 20, delta_t: 69 });
  }
  const picco = istanteCasuale(caso, jd0, jd0 + 61 - 20);
  f.push({ nome: new Date((picco - 2440587.5) * 86400000).toISOString().slice(0, 10), inizio_jd_ut: picco, giorni: 20, delta_t: 69 });
  return f;
}

module.exports = {
  OSSERVATORE, EPOCA_MACCHIA, generatore, istanteCasuale, jdGennaio, nomeMese, finestreFenomeni, finestreMutui,
};
