#!/usr/bin/env bash
# A scripted student session under Xvfb: Partwriter opens a timed one-iteration cadence exercise
# (through a "Debug" start item of a scratch copy of the bundled course), xdotool types the notes
# of a correct solution on the computer keyboard, and screenshots are taken of the staff and of
# the result panel with the mark. Usage: scripts/demo-session.sh [OUT_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${PARTWRITER_BUILD_DIR:-$root/build}"
out="$(realpath -m "${1:-$root/build/demo}")"
mkdir -p "$out"

"$root/scripts/install-deps.sh"
for tool in xdotool xwd convert; do
    if ! command -v "$tool" >/dev/null; then
        sudo_cmd=""
        [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
        $sudo_cmd apt-get install -y -q xdotool x11-apps imagemagick >/dev/null
        break
    fi
done
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
    "$1" -d "$2/" &
    app=$!
    for i in $(seq 50); do
        win=$(xdotool search --name "Partwriter|Демонстрация" 2>/dev/null | head -1) && [ -n "$win" ] && break
        sleep 0.2
    done
    sleep 1
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus "$win"
    xwd -root -silent | convert xwd:- "$3/start.png"
    # Chord by chord, bass to soprano: C E G C ... T S D T in close position.
    for k in k g k d  f h k f  g g j s  k g k d; do
        xdotool key "$k"
        sleep 0.15
    done
    sleep 1
    xwd -root -silent | convert xwd:- "$3/result.png"
    kill $app
' _ "$build/bin/partwriter" "$data" "$out"
echo "screenshots: $out/start.png $out/result.png"
