#!/usr/bin/env bash
# Installs what is missing, builds, checks the formatting and runs every test.
#   scripts/test.sh              the normal build in build/
#   scripts/test.sh --sanitize   every test built with AddressSanitizer and UndefinedBehaviorSanitizer
#                                (clang, any report fails) in build-sanitize/, benchmarks left out
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

sanitize=0
case "${1:-}" in
"") ;;
--sanitize) sanitize=1 ;;
*)
    echo "usage: scripts/test.sh [--sanitize]" >&2
    exit 2
    ;;
esac

"$root/scripts/install-deps.sh"

if [ "$sanitize" -eq 0 ]; then
    build="${PARTWRITER_BUILD_DIR:-$root/build}"
    echo "== format check"
    (cd "$root" && find src app tools tests bench fuzz -name '*.cpp' -o -name '*.h' | sort \
        | xargs -r clang-format --dry-run --Werror)

    echo "== build"
    "$root/scripts/build.sh"
else
    build="${PARTWRITER_SANITIZE_BUILD_DIR:-$root/build-sanitize}"
    # shellcheck source=sanitizer-env.sh
    source "$root/scripts/sanitizer-env.sh"
    echo "== sanitizer build"
    # Unoptimised with line tables only: optimising under UBSan's checks costs more build time than
    # the tests lose running unoptimised, and line tables are all the reports need. Qt and the other
    # libraries are used as installed, uninstrumented.
    if [ ! -f "$build/build.ninja" ]; then
        CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
            -DCMAKE_CXX_FLAGS_DEBUG="-O0 -gline-tables-only" \
            -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
            -DPARTWRITER_BENCHMARKS=OFF
    fi
    cmake --build "$build" --parallel "$(nproc)"
fi

echo "== tests"
runtime="$(mktemp -d)"
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$build"
# GUI and OpenGL tests need an X server; xvfb-run gives every test run one.
# -noreset: by default Xvfb resets whenever its last client leaves and drops any test that connects
# meanwhile.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" ctest --output-on-failure -j2
