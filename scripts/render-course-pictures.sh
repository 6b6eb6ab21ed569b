#!/bin/sh
# Renders the notation pictures of the bundled theory pages (data/html/img/*.png) with
# partwriter-cli, from the exercises they show. Run after changing an example or the staff drawing:
#   scripts/render-course-pictures.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/partwriter-cli"
[ -x "$cli" ] || { echo "build partwriter-cli first: cmake --build $build --target partwriter-cli" >&2; exit 1; }

out="$root/data/html/img"
mkdir -p "$out"
render() { # exercise picture
    "$cli" render "$1" --analyze --width 760 --height 260 --data-dir "$root/data" -o "$out/$2" 2>/dev/null
    echo "$2 from $1"
}
render "$root/data/xml/Cadence-example.xml" functions.png
render "$root/data/html/src/spacing.xml" spacing.png
render "$root/data/html/src/connecting.xml" connecting.png
render "$root/data/html/src/parallels.xml" parallels.png
