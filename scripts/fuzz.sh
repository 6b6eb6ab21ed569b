#!/usr/bin/env bash
# Fuzzes with libFuzzer: scripts/fuzz.sh SECONDS [TARGET...]
# TARGETs are the folders of fuzz/ (formula, xml, definitor, menu, exercise; all by default). The
# first run configures a clang build with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-fuzz/; each target then runs for SECONDS, one after the other. Findings go to
# build-fuzz/artifacts/TARGET/; the corpus grows in a copy outside the sources
# ($PARTWRITER_FUZZ_CORPUS, default ~/.cache/partwriter-fuzz/TARGET), read beside the seeds of
# fuzz/TARGET/corpus. Prints each target's executions and findings; exits 1 when anything was found.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
    echo "usage: scripts/fuzz.sh SECONDS [TARGET...]" >&2
    exit 2
fi
seconds="$1"
shift
build="$root/build-fuzz"
corpora="${PARTWRITER_FUZZ_CORPUS:-${XDG_CACHE_HOME:-$HOME/.cache}/partwriter-fuzz}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for source in "$root"/fuzz/*/*_fuzz.cpp; do
        targets+=("$(basename "$(dirname "$source")")")
    done
fi
for t in "${targets[@]}"; do
    if [ ! -f "$root/fuzz/$t/${t}_fuzz.cpp" ]; then
        echo "unknown target $t (the folders of fuzz/ are the targets)" >&2
        exit 2
    fi
done

"$root/scripts/install-deps.sh"
# shellcheck source=sanitizer-env.sh
source "$root/scripts/sanitizer-env.sh"

# The libraries are instrumented for coverage and the sanitizers; the targets alone link libFuzzer.
if [ ! -f "$build/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=OFF -DPARTWRITER_BENCHMARKS=OFF -DPARTWRITER_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all"
fi
cmake --build "$build" --parallel 2 --target "${targets[@]/%/_fuzz}"

found=0
summary=()
for t in "${targets[@]}"; do
    artifacts="$build/artifacts/$t"
    corpus="$corpora/$t"
    log="$build/logs/$t.log"
    mkdir -p "$artifacts" "$corpus" "$(dirname "$log")"
    dict=()
    [ -f "$root/fuzz/$t/$t.dict" ] && dict=(-dict="$root/fuzz/$t/$t.dict")
    max_len=8192
    [ "$t" = formula ] && max_len=512
    before="$(ls "$artifacts" | wc -l)"
    echo "== $t: $seconds s (log $log)"
    status=0
    "$build/bin/${t}_fuzz" "$corpus" "$root/fuzz/$t/corpus" "${dict[@]}" \
        -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1 || status=$?
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    after="$(ls "$artifacts" | wc -l)"
    if [ "$status" -ne 0 ] || [ "$after" -gt "$before" ]; then
        found=1
        summary+=("$t: ${runs:-?} executions, FOUND (exit $status): $(grep -m1 -E '^==[0-9]+==ERROR|runtime error|^==[0-9]+== ERROR|deadly signal|timeout after' "$log" || true)")
        grep -h 'Test unit written to' "$log" | sed 's/^/    /' || true
    else
        summary+=("$t: ${runs:-?} executions, nothing found")
    fi
done
echo "== summary"
printf '%s\n' "${summary[@]}"
exit "$found"
