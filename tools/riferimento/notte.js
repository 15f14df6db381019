// Reference times for the planner's night chart: at a site, the instants the
// Sun's centre crosses 0, -6, -12 and -18 degrees and Jupiter's centre crosses
// the horizon (topocentric, no refraction), and Jupiter's altitude at a few
// instants, from astronomy-engine. Prints the values the tests carry.
//
//   node notte.js
'use strict';
const A = require('astronomy-engine');

const sito = new A.Observer(41.9, 12.5, 0);  // 41° 54' N, 12° 30' E
// UT of the local noons (CET, UTC+1) that bound each night.
const notti = [
  ['2027-02-12T11:00:00Z', '2027-02-13T11:00:00Z'],
  ['2027-03-27T11:00:00Z', '2027-03-28T10:00:00Z'],  // clocks go to CEST on the 28th
];

function iso(t) { return t ? t.date.toISOString().replace(/\.\d+Z$/, 'Z') : '-'; }

for (const [da, a] of notti) {
  const inizio = A.MakeTime(new Date(da)), fine = A.MakeTime(new Date(a));
  const giorni = fine.ut - inizio.ut;
  console.log(`notte ${da} .. ${a}`);
  for (const h of [0, -6, -12, -18]) {
    const tramonto = A.SearchAltitude(A.Body.Sun, sito, -1, inizio, giorni, h);
    const alba = A.SearchAltitude(A.Body.Sun, sito, +1, inizio, giorni, h);
    console.log(`  Sole ${h}: scende ${iso(tramonto)} sale ${iso(alba)}`);
  }
  const sorge = A.SearchAltitude(A.Body.Jupiter, sito, +1, inizio, giorni, 0);
  const tramonta = A.SearchAltitude(A.Body.Jupiter, sito, -1, inizio, giorni, 0);
  console.log(`  Giove: sorge ${iso(sorge)} tramonta ${iso(tramonta)}`);
  for (const ore of [6, 12, 18]) {
    const t = inizio.AddDays(ore / 24);
    const eq = A.Equator(A.Body.Jupiter, t, sito, true, true);
    const hor = A.Horizon(t, sito, eq.ra, eq.dec);
    console.log(`  Giove a ${iso(t)}: ${hor.altitude.toFixed(3)}`);
  }
}
