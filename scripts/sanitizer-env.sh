# Sourced by test.sh --sanitize and fuzz.sh: how the sanitizer runtimes report, for the build
# (its generators run sanitized too) and for the runs.
sanitizer_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Leaks are checked at exit; a report from our own code fails the run, the known third-party ones
# are listed in lsan.supp.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_odr_violation=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$sanitizer_root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
