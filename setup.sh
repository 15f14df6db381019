#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the program and the tests need,
# then configures and builds everything in build/ (Release).
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES="build-essential cmake pkg-config qt6-base-dev libgtest-dev libgmock-dev libbenchmark-dev libgl-dev liberfa-dev xvfb xauth imagemagick tzdata"
# A strict iCalendar parser for the tests of the planner's calendar files.
PACKAGES="$PACKAGES libical-dev"
# Installing, packaging and checking the desktop files (cmake --install, cpack -G DEB).
PACKAGES="$PACKAGES desktop-file-utils appstream dpkg-dev file groff-base"
# Qt's own dialogs in Italian.
PACKAGES="$PACKAGES qt6-translations-l10n"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get install -y $missing || { $SUDO apt-get update && $SUDO apt-get install -y $missing; }
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2
