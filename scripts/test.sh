#!/usr/bin/env bash
# Installs what is missing, builds, checks the formatting and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PARTWRITER_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"

echo "== format check"
(cd "$root" && find src app tools tests bench -name '*.cpp' -o -name '*.h' | sort \
    | xargs -r clang-format --dry-run --Werror)

echo "== build"
"$root/scripts/build.sh"

echo "== tests"
runtime="$(mktemp -d)"
chmod 700 "$runtime"
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR="$runtime"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cd "$build"
# GUI and OpenGL tests need an X server; xvfb-run gives every test run one.
xvfb-run -a ctest --output-on-failure -j2
