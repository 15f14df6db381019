#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs of
# the install: every file in place, the desktop entry and the metadata valid,
# the programs and manual pages agreeing with each other.
# Usage: installazione.sh CMAKE BUILD_DIR VERSION APP_ID
set -euo pipefail
cmake=$1 build=$2 versione=$3 id=$4

prefisso=$(mktemp -d)
trap 'rm -rf "$prefisso"' EXIT
"$cmake" --install "$build" --prefix "$prefisso" >/dev/null
cd "$prefisso"

errori=0
errore() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

for f in bin/macchiarossa bin/effemeridi share/applications/"$id".desktop \
  share/metainfo/"$id".metainfo.xml share/man/man1/macchiarossa.1.gz \
  share/man/man1/effemeridi.1.gz share/doc/macchiarossa/copyright; do
  [ -f "$f" ] || errore "manca $f"
done
for lato in 16 32 48 64 128 256; do
  icona=share/icons/hicolor/${lato}x${lato}/apps/$id.png
  file "$icona" | grep -q "PNG image data, $lato x $lato, 8-bit/color RGBA" ||
    errore "$icona: $(file -b "$icona")"
done

desktop-file-validate share/applications/"$id".desktop || errore "desktop-file-validate"
appstreamcli validate --no-net share/metainfo/"$id".metainfo.xml >/dev/null ||
  errore "appstreamcli validate: $(appstreamcli validate --no-net share/metainfo/"$id".metainfo.xml)"

# The entry starts an installed program, with the icon of the same id.
programma=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' share/applications/"$id".desktop)
[ -x "bin/$programma" ] || errore "Exec=$programma non installato"
grep -qx "Icon=$id" share/applications/"$id".desktop || errore "Icon non è $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" share/metainfo/"$id".metainfo.xml ||
  errore "la voce dei metadati non è $id.desktop"
grep -q "<release version=\"$versione\" date=\"[0-9-]*\"" share/metainfo/"$id".metainfo.xml ||
  errore "i metadati non hanno la versione $versione"

# The programs answer from the prefix, without a display.
bin/effemeridi --help | grep -q "^uso: effemeridi" || errore "effemeridi --help"
[ "$(bin/effemeridi --version)" = "effemeridi (MacchiaRossa) $versione" ] ||
  errore "effemeridi --version: $(bin/effemeridi --version)"
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY bin/macchiarossa --version)" = "MacchiaRossa $versione" ] ||
  errore "macchiarossa --version"

# Each manual page formats without warnings, names the version and lists
# every option its program's --help lists.
for p in macchiarossa effemeridi; do
  pagina=share/man/man1/$p.1.gz
  avvisi=$(zcat "$pagina" | groff -K utf8 -man -Tutf8 -ww -z 2>&1)
  [ -z "$avvisi" ] || errore "$pagina: $avvisi"
  testo=$(zcat "$pagina" | groff -K utf8 -man -Tascii -P-cbou -rLL=300n 2>/dev/null)
  grep -q "MacchiaRossa $versione" <<<"$testo" || errore "$pagina: manca la versione $versione"
  for opzione in $(env -u DISPLAY -u WAYLAND_DISPLAY bin/$p --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$opzione\b" <<<"$testo" || errore "$pagina: manca $opzione"
  done
done

[ "$errori" -eq 0 ]
