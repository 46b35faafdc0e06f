#!/bin/sh
# Runs each fuzz target built by sanitize.sh for the given seconds (default
# 60), starting from its seeds in tests/fuzz/seeds/<name>/. Inputs that reach
# new code are kept in <build>/fuzz-corpus/<name>/; an input that fails is
# written to <build>/fuzz-failures/ and fails the run.
# Usage: fuzz.sh [seconds] [target...]   (targets without "fuzz_": macro_file...)
set -eu
cd "$(dirname "$0")/.."
build=${ORVANEL_FUZZ_BUILD:-build-asan}
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=${*:-$(cd tests/fuzz/seeds && ls)}

. ./scripts/sanitizer-options.sh
unset DISPLAY
mkdir -p "$build/fuzz-failures"
# The targets' files live in memory where it can be had: a settings file or
# "Launch.dat" is written safely (synced), which on a disk costs more than
# the parsing.
memory=/dev/shm
[ -d "$memory" ] && [ -w "$memory" ] || memory="$(cd "$build" && pwd)"
TMPDIR="$(mktemp -d "$memory/orvanel-fuzz.XXXXXX")"
export TMPDIR
trap 'rm -rf "$TMPDIR"' EXIT
status=0
for name in $targets; do
  mkdir -p "$build/fuzz-corpus/$name"
  log="$build/fuzz-$name.log"
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz-failures/$name-" "$build/fuzz-corpus/$name" "tests/fuzz/seeds/$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "  fuzz_$name : $runs exécutions en $seconds s ($((runs / seconds)) par seconde)"
  else
    status=1
    echo "  fuzz_$name : ÉCHEC"
    tail -n 60 "$log"
  fi
done
exit $status
