#!/usr/bin/env bash
# Configures (once) and builds the project into build/ with Ninja. Shared by run.sh and test.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PARTWRITER_BUILD_DIR:-$root/build}"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --parallel "$(nproc)"
