#!/bin/sh
# Installs the program in the desktop's menus for the current user, without
# root: the entry "orvanel.desktop" in $XDG_DATA_HOME/applications, starting
# the program of the given folder (build/bin unless given), and its icon in the
# hicolor theme of $XDG_DATA_HOME/icons. Running it again replaces both.
set -eu
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/bin}" && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}

for size in 16 24 32; do
  case $size in 32) drawing=orvanel.svg ;; *) drawing=orvanel-$size.svg ;; esac
  mkdir -p "$data/icons/hicolor/${size}x$size/apps"
  cp apps/orvanel/icons/$drawing "$data/icons/hicolor/${size}x$size/apps/orvanel.svg"
done
mkdir -p "$data/icons/hicolor/scalable/apps"
cp apps/orvanel/icons/orvanel.svg "$data/icons/hicolor/scalable/apps/orvanel.svg"

# The program's path as a quoted argument of Exec: \ " ` $ escaped.
program=$(printf '%s' "$bin/orvanel" | sed 's/[\\"`$]/\\&/g')
mkdir -p "$data/applications"
entry="$data/applications/orvanel.desktop"
cat >"$entry.tmp" <<ENTRY
[Desktop Entry]
Type=Application
Name=Orvanel
GenericName=Éditeur de macros
GenericName[en]=Macro editor
Comment=Enregistre, modifie et exécute des macros clavier et souris
Comment[en]=Records, edits and runs keyboard and mouse macros
Exec="$program" %f
Icon=orvanel
Terminal=false
Categories=Utility;
StartupWMClass=Orvanel
ENTRY
mv "$entry.tmp" "$entry"
echo "Orvanel installé : $entry"
