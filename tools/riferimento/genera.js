'use strict';
// Writes the reference events: tests/data/riferimento/finestre.json and one
// eventi_<nome>.jsonl per window. Usage: node genera.js [output folder]

const fs = require('fs');
const path = require('path');
const { A } = require('./geometria');
const { eventi } = require('./fenomeni');
const { mutui } = require('./mutui');
const { finestreFenomeni, finestreMutui, OSSERVATORE } = require('./finestre');

const cartella = process.argv[2] || path.join(__dirname, '..', '..', 'tests', 'data', 'riferimento');

const J_UNIX = 2440587.5;
function utc(jd) {
  const ms = Math.round((jd - J_UNIX) * 86400) * 1000;
  return new Date(ms).toISOString().replace(/\.\d{3}Z$/, 'Z');
}

// One JSON object per line, keys in a fixed order, numbers at fixed precision.
function riga(e) {
  const jd = e.ut + 2451545.0;
  return `{"jd_ut":${jd.toFixed(9)},"utc":"${utc(jd)}","evento":"${e.evento}","satellite":${e.satellite},` +
    `"alt_giove":${e.alt_giove.toFixed(2)},"alt_sole":${e.alt_sole.toFixed(2)},"nascosto":${e.nascosto}}`;
}

function rigaMutuo(e) {
  const jd = (ut) => (ut + 2451545.0);
  return `{"tipo":"${e.tipo}","attivo":${e.attivo},"passivo":${e.passivo},` +
    `"inizio":"${utc(jd(e.inizio))}","massimo":"${utc(jd(e.massimo))}","fine":"${utc(jd(e.fine))}",` +
    `"impatto_km":${e.impatto.toFixed(1)},"calo_mag":${e.calo.toFixed(3)},` +
    `"alt_giove":${e.alt_giove.toFixed(2)},"alt_sole":${e.alt_sole.toFixed(2)},"giove":"${e.giove}",` +
    `"descrizione":"${e.descrizione}","genere":"${e.genere}",` +
    `"jd_inizio":${jd(e.inizio).toFixed(9)},"jd_massimo":${jd(e.massimo).toFixed(9)},"jd_fine":${jd(e.fine).toFixed(9)}}`;
}

const elenco = (finestre) => '[\n' + finestre.map((f) => '  ' + JSON.stringify(f)).join(',\n') + '\n]\n';

function scriviAtomico(file, testo) {
  const tmp = file + '.tmp';
  fs.writeFileSync(tmp, testo);
  fs.renameSync(tmp, file);
}

function main() {
  fs.mkdirSync(cartella, { recursive: true });
  const osservatore = new A.Observer(OSSERVATORE.latitudine, OSSERVATORE.longitudine, OSSERVATORE.altezza);
  const finestre = finestreFenomeni();
  for (const f of finestre) {
    const t0 = Date.now();
    const lista = eventi(f, osservatore);
    scriviAtomico(path.join(cartella, `eventi_${f.nome}.jsonl`), lista.map((e) => riga(e) + '\n').join(''));
    console.log(`${f.nome}: ${lista.length} eventi, ${((Date.now() - t0) / 1000).toFixed(1)} s`);
  }
  scriviAtomico(path.join(cartella, 'finestre.json'), elenco(finestre));
  const finestreM = finestreMutui();
  for (const f of finestreM) {
    const t0 = Date.now();
    const lista = mutui(f, osservatore);
    scriviAtomico(path.join(cartella, `mutui_${f.nome}.jsonl`), lista.map((e) => rigaMutuo(e) + '\n').join(''));
    console.log(`mutui ${f.nome}: ${lista.length} eventi, ${((Date.now() - t0) / 1000).toFixed(1)} s`);
  }
  scriviAtomico(path.join(cartella, 'mutui.json'), elenco(finestreM));
}

if (require.main === module) main();

module.exports = { utc, riga, rigaMutuo };
