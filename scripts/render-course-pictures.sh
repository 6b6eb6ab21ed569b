#!/bin/sh
# Renders the notation pictures of the bundled theory pages (data/html/img/*.png) with
# partwriter-cli, from the exercises they show. Run after changing an example, the rule base or the
# staff drawing:
#   scripts/render-course-pictures.sh [build-dir]
# A picture shows the example, not an entry in progress, so it has no cursor. The staff is laid
# out for WIDTH x HEIGHT and drawn at twice that size; the pages show it at 5/4 of WIDTH x HEIGHT
# (<img width="950" height="325"> for 760 x 260), large enough to read the small labels and still
# sharp, being scaled down.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build"}
cli="$build/bin/partwriter-cli"
[ -x "$cli" ] || { echo "build partwriter-cli first: cmake --build $build --target partwriter-cli" >&2; exit 1; }

out="$root/data/html/img"
mkdir -p "$out"
zoom=2
render() { # exercise picture width height: the picture of the Russian pages and of the English ones
    "$cli" render "$1" --analyze --no-cursor --zoom "$zoom" --width "$3" --height "$4" \
        --data-dir "$root/data" -o "$out/$2" 2>/dev/null
    "$cli" render "$1" --analyze --no-cursor --zoom "$zoom" --width "$3" --height "$4" --language English \
        --data-dir "$root/data" -o "$out/${2%.png}English.png" 2>/dev/null
    echo "$2 and ${2%.png}English.png from $1: $3 x $4 at zoom $zoom"
}
render "$root/data/xml/Cadence-example.xml" functions.png 760 260
render "$root/data/html/src/spacing.xml" spacing.png 760 260
render "$root/data/html/src/connecting.xml" connecting.png 760 260
render "$root/data/html/src/parallels.xml" parallels.png 760 260
