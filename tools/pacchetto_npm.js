'use strict';
// Fetches one exact version of a package from the npm registry into a fresh
// temporary folder, for the scripts that extract coefficient tables from it.

const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');

// Unpacks nome@versione and checks that it is that package under the MIT
// licence. Returns the temporary folder (to remove when done) and the
// package's root inside it.
function scaricaPacchetto(nome, versione) {
  const cartella = fs.mkdtempSync(path.join(os.tmpdir(), `${nome}-`));
  execFileSync('npm', ['pack', '--silent', `${nome}@${versione}`, '--pack-destination', cartella],
               { stdio: ['ignore', 'ignore', 'inherit'] });
  const archivio = fs.readdirSync(cartella).find((f) => f.endsWith('.tgz'));
  execFileSync('tar', ['xzf', path.join(cartella, archivio), '-C', cartella]);
  const radice = path.join(cartella, 'package');
  const info = JSON.parse(fs.readFileSync(path.join(radice, 'package.json'), 'utf8'));
  if (info.name !== nome || info.version !== versione || info.license !== 'MIT') {
    throw new Error(`unexpected package: ${info.name} ${info.version} ${info.license}`);
  }
  return { cartella, radice };
}

module.exports = { scaricaPacchetto };
