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
render "$root/data/html/src/cadences.xml" cadences.png 760 260
render "$root/data/html/src/sixth-chords.xml" sixth-chords.png 760 260
render "$root/data/html/src/minor.xml" minor.png 760 260

# The pictures of the tests (xml/quest-theory.xml, xml/quest-chords.xml): the chords alone,
# without the analysis that would give the answers away (their exercises name no rule base), one
# picture for both languages since a question names a single file. They are shown at their own
# size, so zoom 1; the answer boxes are placed under the chords in the pixels of these sizes.
question() { # exercise picture width height
    "$cli" render "$root/data/html/src/$1" --no-cursor --width "$3" --height "$4" \
        --data-dir "$root/data" -o "$out/$2" 2>/dev/null
    echo "$2 from html/src/$1: $3 x $4"
}
question quest-functions.xml quest-functions.png 400 290
question quest-doubling.xml quest-doubling.png 320 290
question quest-spacing.xml quest-spacing.png 320 290
question quest-parallels.xml quest-parallels.png 560 290
question quest-sixths.xml quest-sixths.png 400 290
question quest-minor-sixth.xml quest-minor-sixth.png 320 290
question quest-closes.xml quest-closes.png 560 290
question quest-cadences.xml quest-cadences.png 640 290
question quest-augmented.xml quest-augmented.png 640 290

# The sounds of the test (data/snd/), through the software synthesizer: a cadence T S D T and a
# plagal close S T in C major, four voices, each chord held and released before the next.
snd="$root/data/snd"
mkdir -p "$snd"
chords() { # out.wav ms-per-chord "n n n n" ...
    file=$1 length=$2
    shift 2
    messages="0xC0,0,0@0"
    at=0
    for chord in "$@"; do
        for n in $chord; do messages="$messages 0x90,$n,90@$at 0x80,$n,0@$((at + length - 20))"; done
        at=$((at + length))
    done
    # shellcheck disable=SC2086 # one argument per message
    "$cli" midi render "$snd/$file" -- $messages >/dev/null
    echo "snd/$file: $# chords of $length ms"
}
chords quest-cadence.wav 700 "48 55 60 64" "41 57 60 65" "43 55 59 62" "48 55 60 64"
chords quest-plagal.wav 1000 "41 57 60 65" "48 55 60 64"
# The second test: a half cadence T S D in C major, and T S D T in A minor.
chords quest-half.wav 900 "48 60 64 67" "53 60 65 69" "55 59 62 67"
chords quest-minor-cadence.wav 700 "45 57 60 64" "50 57 62 65" "52 56 59 64" "45 57 60 64"
