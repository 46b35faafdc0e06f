#!/bin/sh
# Sets up, builds and runs every test; then the unit tests again under the
# sanitizers (build-asan/) and a few seconds of each fuzz target. Desktop
# tests start their own Xvfb and window manager; nothing touches the
# developer's display. Each stage says how long it took.
set -eu
cd "$(dirname "$0")/.."
stage() {
  echo "== $1"
  started=$(date +%s)
  shift
  "$@"
  echo "== $(($(date +%s) - started)) s"
}
stage "Construction" ./scripts/setup.sh
unset DISPLAY
stage "Tests" ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 900
stage "Sanitiseurs" ./scripts/sanitize.sh
stage "Fuzzing" ./scripts/fuzz.sh 5
