# Sourced by test.sh --sanitize and fuzz.sh: how the sanitizer runtimes report, for the build
# (its generators run sanitized too) and for the runs.
sanitizer_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# Leaks are checked at exit; a report from our own code fails the run, the known third-party ones
# are listed in lsan.supp.
# intercept_tls_get_addr=0: clang 14's runtime takes a dynamic TLS block that happens to start 16
# bytes into a page for an old glibc's block header and reads a length from before it; the leak
# check's tracer then dies at exit ("Tracer caught signal 11") now and then, most often after the
# OpenGL tests, whose driver is loaded at run time and so has such blocks.
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_odr_violation=1:intercept_tls_get_addr=0${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$sanitizer_root/scripts/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
# Mesa's software driver keeps the vertex-fetch code it generates in an executable heap meant to
# last as long as the process. Once the driver is unloaded (the X display closed, EGL terminated)
# nothing points at that heap's bookkeeping, and LeakSanitizer reports it from a module that is no
# longer there to be named, so lsan.supp cannot list it. Without SSE code generation the heap is
# never made; llvmpipe draws the same pictures.
export GALLIUM_NOSSE=1
