# What the sanitizers do on a finding (sourced by sanitize.sh and fuzz.sh):
# stop with a stack, leaks included; the suppressions name only libraries
# outside the project.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan-suppressions.txt:print_suppressions=0"
export ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
