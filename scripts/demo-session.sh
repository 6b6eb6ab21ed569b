#!/usr/bin/env bash
# A scripted student session under Xvfb: Partwriter opens a timed one-iteration cadence exercise
# (through a "Debug" start item of a scratch copy of the bundled course), xdotool types the notes
# of a correct solution on the computer keyboard, and screenshots are taken of the staff and of
# the result panel with the mark; then a theory page is chosen in the course tree and the first
# chord is clicked on the on-screen piano. Usage: scripts/demo-session.sh [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PARTWRITER_BUILD_DIR:-$root/build}"
out="$(realpath -m "${1:-$root/build/demo}")"
mkdir -p "$out"

"$root/scripts/install-deps.sh"
# Screenshots go through GStreamer (already installed), not an image toolkit: fonts that come with
# one would change how the staff's texts are drawn everywhere else.
if ! command -v xdotool >/dev/null; then
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get install -y -q --no-install-recommends xdotool >/dev/null
fi
"$root/scripts/build.sh"

data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
cp -r "$build/bin/." "$data/"
# The cadence T S D T to write in C major, five minutes, one iteration.
cat > "$data/xml/demo.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<MExercise Def="TSD major" FixedLength="Y" LimitMin="5" CountIteration="1">
	<Part Key0="4" Key1="1">
		<Tonality type="1" val="0"/>
		<Size chi="4" zna="8"/>
		<Voice H="0"/><Voice H="1"/><Voice H="2"/><Voice H="3"/>
	</Part>
</MExercise>
XML
sed -i 's|<Menu Expand="N">|<Menu Expand="Y">\n\t<Item Level="0" Type="MusHarmonyExercise" File="xml\\demo.xml" Text="Demo" Debug="Y" TextRussian="Демонстрация"/>|' \
    "$data/xml/Menu.xml"
# Octave offsets that put the four voices of the solution under the letter row.
cat > "$data/parms.xml" <<'XML'
<Parameters nomessagemidi="Y" octoffset0="0" octoffset1="0" octoffset2="-1" octoffset3="-1"><MidiInput/><MidiOutput/></Parameters>
XML

export XDG_RUNTIME_DIR="$data/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    set -e
    shot() { gst-launch-1.0 -q ximagesrc num-buffers=1 use-damage=false ! videoconvert ! pngenc ! filesink location="$1"; }
    "$1" -d "$2/" &
    app=$!
    for i in $(seq 50); do
        win=$(xdotool search --onlyvisible --name "Partwriter" 2>/dev/null | head -1 || true)
        [ -n "$win" ] && break
        sleep 0.2
    done
    sleep 1
    # No window manager runs under Xvfb: give the window the keyboard directly.
    xdotool windowfocus --sync "$win" || true
    shot "$3/start.png"
    # Chord by chord, bass to soprano: C E G C ... T S D T in close position.
    for k in k g k d  f h k f  g g j s  k g k d; do
        xdotool key "$k"
        sleep 0.15
    done
    sleep 1
    shot "$3/result.png"
    # The course tree: the section "Теория", then its first theory page.
    xdotool mousemove 60 71 click 1; sleep 1
    xdotool mousemove 90 91 click 1; sleep 1
    shot "$3/theory.png"
    # Back to the exercise, and the first chord C3 G3 C4 E4 clicked on the on-screen piano.
    xdotool mousemove 60 51 click 1; sleep 1
    # The main area is about 1040 pixels wide here, which gives the piano 16-pixel keys.
    for x in 367 431 479 511; do
        xdotool mousemove $x 766 click 1
        sleep 0.3
    done
    sleep 0.5
    shot "$3/piano.png"
    # A second chord with F sharp in the soprano: a red "?", its reasons in the panel, and the
    # tooltip of the label under the mouse.
    for k in k g k t; do
        xdotool key "$k"
        sleep 0.15
    done
    sleep 0.5
    shot "$3/why.png"
    xdotool mousemove 806 276; sleep 0.3; xdotool mousemove 810 277; sleep 2
    shot "$3/tooltip.png"
    kill $app
' _ "$build/bin/partwriter" "$data" "$out"
echo "screenshots: $out/start.png $out/result.png $out/theory.png $out/piano.png $out/why.png $out/tooltip.png"
