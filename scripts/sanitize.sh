#!/bin/sh
# Builds the program, its unit tests, its layer checks and the fuzz targets
# with clang, AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer
# into build-asan/, then runs the unit tests there, one process per core.
# Any finding fails the run. Usage: sanitize.sh [build folder]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-asan}
jobs=$(nproc)

cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only -DNDEBUG" \
  -DORVANEL_SANITIZE=ON -DORVANEL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target unit_tests layer_checks fuzz_targets

. ./scripts/sanitizer-options.sh
unset DISPLAY
export QT_QPA_PLATFORM=offscreen
echo "Tests unitaires sous AddressSanitizer et UndefinedBehaviorSanitizer ($jobs processus)"
# The tests dealt round-robin into one filter per process (tests that run
# the test program again give their own filter to that child).
"$build/tests/unit_tests" --gtest_list_tests |
  awk -v n="$jobs" '/^[^ ]/ { suite = $1 } /^  / { part[NR % n] = part[NR % n] ":" suite $1 }
                    END { for (i = 0; i < n; i++) print substr(part[i], 2) }' >"$build/unit-tests.parts"
i=0
while read -r filter; do
  timeout 1800 "$build/tests/unit_tests" --gtest_filter="$filter" </dev/null >"$build/unit-tests-$i.log" 2>&1 &
  eval "pid_$i=$!"
  i=$((i + 1))
done <"$build/unit-tests.parts"
status=0
i=0
while [ "$i" -lt "$jobs" ]; do
  log="$build/unit-tests-$i.log"
  if eval "wait \$pid_$i"; then
    grep -h '^\[  PASSED  \]' "$log" | sed "s/^/  part $((i + 1))\/$jobs : /"
  else
    status=1
    echo "  part $((i + 1))/$jobs : ÉCHEC"
    cat "$log"
  fi
  i=$((i + 1))
done
exit $status
