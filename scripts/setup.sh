#!/bin/sh
# Installs what the build needs (Debian 12, as root, only when missing) and builds.
# "setup.sh install" then adds the program to the desktop's menus for the
# current user (scripts/install-desktop.sh: entry and icon, no root needed).
set -eu
cd "$(dirname "$0")/.."

PACKAGES="build-essential cmake ninja-build qt6-base-dev qt6-declarative-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libxtst-dev libxrandr-dev libxfixes-dev
  libopencv-imgproc-dev zlib1g-dev libjpeg-dev python3 xvfb xauth openbox x11-utils x11-xkb-utils xkb-data xdotool xclip
  tk poppler-utils xdg-utils alsa-utils x11-apps clang libclang-rt-14-dev qt6-translations-l10n"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "Installation des paquets manquants :$missing"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q $missing
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"${ORVANEL_JOBS:-$(nproc)}"

if [ "${1:-}" = install ]; then
  ./scripts/install-desktop.sh build/bin
fi
