#!/usr/bin/env node
// Regenerates ephemeris/l12_tabella.cpp, the coefficient table of the L1.2
// theory of the Galilean satellites (IMCCE; V. Lainey, A. Vienne, L. Duriez),
// from the copy shipped in the public npm package astronomy-engine.
//
//   node tools/l12/estrai_l12.js             writes ephemeris/l12_tabella.cpp
//   node tools/l12/estrai_l12.js --controllo prints the package's own jovicentric
//                                            positions at a few instants (check
//                                            values for the tests)
//
// The package is fetched with `npm pack` into a temporary folder; only its
// literal data (the coefficients and the frame rotation) is taken over.
'use strict';

const fs = require('fs');
const path = require('path');
const vm = require('vm');
const { scaricaPacchetto } = require('../pacchetto_npm');

const PACCHETTO = 'astronomy-engine';
const VERSIONE = '2.1.19';
const USCITA = path.join(__dirname, '..', '..', 'ephemeris', 'l12_tabella.cpp');

// The bracketed literal that follows `marker` in the source text.
function letterale(sorgente, marker) {
  const inizio = sorgente.indexOf(marker);
  if (inizio < 0) throw new Error(`not found: ${marker}`);
  const apertura = sorgente.indexOf('[', inizio + marker.length - 1);
  let profondita = 0;
  for (let i = apertura; i < sorgente.length; ++i) {
    if (sorgente[i] === '[') ++profondita;
    if (sorgente[i] === ']' && --profondita === 0) {
      return vm.runInNewContext('(' + sorgente.slice(apertura, i + 1) + ')');
    }
  }
  throw new Error(`unbalanced literal after ${marker}`);
}

// The licence block at the head of the package's source.
function licenza(sorgente) {
  const m = sorgente.match(/MIT License[\s\S]*?SOFTWARE\.\n/);
  if (!m) throw new Error('licence text not found');
  return m[0].split('\n').map((riga) => riga.trim());
}

const numero = (x) => {
  const s = String(x);
  return /[.eE]/.test(s) ? s : s + '.0';
};

function serie(nome, termini) {
  const righe = termini.map(([a, f, n]) => `    {${numero(a)}, ${numero(f)}, ${numero(n)}},`);
  return [`const TermineL12 ${nome}[] = {`, ...righe, '};'];
}

function generaTabella(modello, rotazione, testoLicenza) {
  const nomi = ['Io', 'Europa', 'Ganimede', 'Callisto'];
  const out = [
    '// Coefficients of the L1.2 theory of the Galilean satellites (IMCCE;',
    '// V. Lainey, L. Duriez, A. Vienne), as shipped in the npm package',
    `// ${PACCHETTO} ${VERSIONE} (https://github.com/cosinekitty/astronomy), whose`,
    '// licence and copyright notice follow.',
    '//',
    '// GENERATED FILE: do not edit. Made by tools/l12/estrai_l12.js.',
    '//',
    ...testoLicenza.map((r) => (r ? `//   ${r}` : '//')),
    '#include "ephemeris/l12_tabella.h"',
    '',
    'namespace mr {',
    '',
    'namespace {',
    '',
  ];
  modello.forEach((m, i) => {
    out.push(`// ${nomi[i]}`);
    for (const chiave of ['a', 'l', 'z', 'zeta']) {
      out.push(...serie(`${chiave}${i}`, m[chiave]));
    }
    out.push('');
  });
  out.push('}  // namespace', '');
  out.push('const SatelliteL12 kSatellitiL12[4] = {');
  modello.forEach((m, i) => {
    out.push(`    {${numero(m.mu)}, ${numero(m.al[0])}, ${numero(m.al[1])}, ` +
             `a${i}, l${i}, z${i}, zeta${i}},`);
  });
  out.push('};', '');
  out.push('const double kAssiL12[3][3] = {');
  for (const riga of rotazione) out.push(`    {${riga.map(numero).join(', ')}},`);
  out.push('};', '', '}  // namespace mr', '');
  return out.join('\n');
}

// Jovicentric positions (AU, J2000 mean equator) from the package itself, for
// the tests: TT days from J2000 and the four satellites' x, y, z.
function controllo(radice) {
  const A = require(path.join(radice, 'astronomy.js'));
  for (const tt of [-18262.5, 0, 5844.25, 9527.75, 14000.125, 36525]) {
    // The UT whose TT (by the package's own Delta T) is tt.
    let ut = tt;
    for (let k = 0; k < 4; ++k) ut += tt - A.MakeTime(ut).tt;
    const lune = A.JupiterMoons(A.MakeTime(ut));
    const riga = [lune.io, lune.europa, lune.ganymede, lune.callisto]
      .map((s) => `{${s.x.toPrecision(12)}, ${s.y.toPrecision(12)}, ${s.z.toPrecision(12)}}`);
    console.log(`tt ${A.MakeTime(ut).tt.toFixed(9)}: ${riga.join(', ')}`);
  }
}

function main() {
  const { cartella, radice } = scaricaPacchetto(PACCHETTO, VERSIONE);
  try {
    if (process.argv.includes('--controllo')) {
      controllo(radice);
      return;
    }
    const sorgente = fs.readFileSync(path.join(radice, 'astronomy.js'), 'utf8');
    const modello = letterale(sorgente, 'const JupiterMoonModel = [');
    const rotazione = letterale(sorgente, 'const Rotation_JUP_EQJ = new RotationMatrix([');
    if (modello.length !== 4 || rotazione.length !== 3) throw new Error('unexpected table shape');
    fs.writeFileSync(USCITA, generaTabella(modello, rotazione, licenza(sorgente)));
    console.log(`written ${path.relative(process.cwd(), USCITA)}`);
  } finally {
    fs.rmSync(cartella, { recursive: true, force: true });
  }
}

main();
