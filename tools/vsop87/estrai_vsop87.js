#!/usr/bin/env node
// Regenerates ephemeris/vsop87_tabella.cpp, the coefficients of the planetary
// theory VSOP87 (P. Bretagnon, G. Francou, A&A 202, 309, 1988; Bureau des
// Longitudes, now IMCCE), version B, for Jupiter: heliocentric longitude,
// latitude and distance on the dynamical ecliptic and equinox of J2000.
//
//   node tools/vsop87/estrai_vsop87.js
//
// The series come from the copy of the file VSOP87B.jup shipped in the public
// npm package astronomia (MIT licence), fetched with `npm pack` into a
// temporary folder. Only its literal data is taken over. The package keeps
// every term of the file: 3625, the 3643 records of VSOP87B.jup (VizieR
// catalogue VI/81) less its 18 series headers; the script checks that count.
'use strict';

const fs = require('fs');
const path = require('path');
const vm = require('vm');
const { scaricaPacchetto } = require('../pacchetto_npm');

const PACCHETTO = 'astronomia';
const VERSIONE = '4.3.0';
const DATI = path.join('data', 'vsop87Bjupiter.js');
const TERMINI_DEL_FILE = 3643 - 18;
const USCITA = path.join(__dirname, '..', '..', 'ephemeris', 'vsop87_tabella.cpp');

// The data module is `const m = {...}; export default m;`: evaluate the
// object literal alone, in an empty context.
function serieDiGiove(radice) {
  const testo = fs.readFileSync(path.join(radice, DATI), 'utf8');
  const inizio = testo.indexOf('const m = ');
  const fine = testo.lastIndexOf('export default m;');
  if (inizio < 0 || fine < 0) throw new Error(`unexpected layout of ${DATI}`);
  const m = vm.runInNewContext(testo.slice(inizio, fine) + '; m');
  if (m.name !== 'jupiter' || m.type !== 'B') throw new Error(`not VSOP87B Jupiter: ${DATI}`);
  let totale = 0;
  const serie = ['L', 'B', 'R'].map((variabile) => {
    const potenze = [];
    for (let alfa = 0; alfa <= 5; ++alfa) {
      const termini = m[variabile][String(alfa)];
      if (!Array.isArray(termini) || termini.length === 0) {
        throw new Error(`missing series ${variabile}${alfa}`);
      }
      for (const t of termini) {
        if (t.length !== 3 || !t.every(Number.isFinite)) {
          throw new Error(`bad term in ${variabile}${alfa}: ${t}`);
        }
      }
      totale += termini.length;
      potenze.push(termini);
    }
    if (Object.keys(m[variabile]).length !== 6) throw new Error(`extra series in ${variabile}`);
    return potenze;
  });
  if (totale !== TERMINI_DEL_FILE) {
    throw new Error(`${totale} terms, the file has ${TERMINI_DEL_FILE}`);
  }
  return { serie, totale };
}

function licenza(radice) {
  return fs.readFileSync(path.join(radice, 'LICENSE'), 'utf8').trimEnd().split('\n');
}

const numero = (x) => {
  const s = String(x);
  return /[.eE]/.test(s) ? s : s + '.0';
};

function generaTabella({ serie, totale }, testoLicenza) {
  const out = [
    '// Coefficients of the planetary theory VSOP87, version B, for Jupiter',
    '// (P. Bretagnon, G. Francou, A&A 202, 309, 1988; Bureau des Longitudes, now',
    '// IMCCE): every term of the file VSOP87B.jup, ' + totale + ' in all, as shipped in the',
    `// npm package ${PACCHETTO} ${VERSIONE} (https://github.com/commenthol/astronomia),`,
    '// whose licence and copyright notice follow.',
    '//',
    '// GENERATED FILE: do not edit. Made by tools/vsop87/estrai_vsop87.js.',
    '//',
    ...testoLicenza.map((riga) => ('//   ' + riga).trimEnd()),
    '//',
    '#include "ephemeris/vsop87_tabella.h"',
    '',
    'namespace mr {',
    '',
    'namespace {',
    '',
  ];
  const nomi = [];
  ['longitudine', 'latitudine', 'distanza'].forEach((variabile, k) => {
    nomi.push([]);
    serie[k].forEach((termini, alfa) => {
      const nome = variabile + alfa;
      nomi[k].push(nome);
      out.push(`const TermineVsop87 ${nome}[] = {`);
      for (const [A, B, C] of termini) out.push(`    {${numero(A)}, ${numero(B)}, ${numero(C)}},`);
      out.push('};');
    });
  });
  out.push('', '}  // namespace', '');
  out.push('const std::span<const TermineVsop87> kGioveVsop87B[3][6] = {');
  for (const riga of nomi) out.push(`    {${riga.join(', ')}},`);
  out.push('};', '', '}  // namespace mr', '');
  return out.join('\n');
}

function main() {
  const { cartella, radice } = scaricaPacchetto(PACCHETTO, VERSIONE);
  try {
    fs.writeFileSync(USCITA, generaTabella(serieDiGiove(radice), licenza(radice)));
    console.log(`written ${path.relative(process.cwd(), USCITA)}`);
  } finally {
    fs.rmSync(cartella, { recursive: true, force: true });
  }
}

main();
