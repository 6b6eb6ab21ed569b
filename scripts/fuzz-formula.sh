#!/usr/bin/env bash
# Fuzzes the formula compiler and evaluator with libFuzzer for SECONDS (default 60).
# Builds only the fuzz target, with clang and AddressSanitizer, in build-fuzz/; inputs that
# crash are written to build-fuzz/artifacts/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
build="$root/build-fuzz"

if [ ! -f "$build/build.ninja" ]; then
    CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DPARTWRITER_FUZZ=ON \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
fi
cmake --build "$build" --target formula_fuzz

# The checked-in corpus stays as it is; libFuzzer grows a copy.
mkdir -p "$build/corpus" "$build/artifacts"
cp -n "$root"/tests/formula/fuzz/corpus/* "$build/corpus/"
"$build/bin/formula_fuzz" "$build/corpus" -dict="$root/tests/formula/fuzz/formula.dict" \
    -max_total_time="$seconds" -max_len=512 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/" -print_final_stats=1
