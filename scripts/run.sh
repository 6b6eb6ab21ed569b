#!/usr/bin/env bash
# Installs what is missing, builds and starts Partwriter on the bundled course.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PARTWRITER_BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
exec "$build/bin/partwriter" "$@"
