#!/bin/sh
# Sets up, builds and starts the editor on the current display.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "Orvanel : aucun affichage X11 (la variable DISPLAY n'est pas définie). Lancez-le dans une session graphique." >&2
  exit 1
fi
exec ./build/bin/orvanel "$@"
