#!/bin/sh
# Sets up, builds and runs every test. Desktop tests start their own Xvfb and
# window manager; nothing touches the developer's display.
set -eu
cd "$(dirname "$0")/.."
./scripts/setup.sh
unset DISPLAY
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900
