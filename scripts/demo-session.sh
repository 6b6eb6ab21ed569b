#!/usr/bin/env bash
# Scripted student sessions under Xvfb, leaving screenshots in OUT_DIR (default build/demo):
#   Russian: a timed cadence typed on the computer keys, its review and mark, a theory page, a chord
#            clicked on the on-screen piano, a faulty chord with its reasons and the tooltip of its "?";
#   English: the start, the cadence with parallel octaves into its last chord (its review and the
#            mark it earns), the key map (F1), and the parameters dialog of the empty template;
#   drills:  the note-naming drill on its keyboard and staff pictures, a wrong key clicked, a task
#            run out of time, and the mark at the end of the series (both languages);
#   tests:   a short questionnaire, its finish button and its mark (both languages);
#   3D:      the bundled scene set animating and its views switched by the digit keys (both);
#   video:   the video lesson playing, with its parts listed (both languages);
#   results: "My results" after all of them, with its tables and chart (both languages).
# Each session opens a scratch copy of the bundled course whose "Debug" item is the lesson to start;
# every session records its results into one scratch progress log, never the user's own.
# Usage: scripts/demo-session.sh [OUT_DIR]
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

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# course START_FILE: a copy of the bundled course in $scratch/course whose Debug item opens START_FILE,
# with the timed cadence exercise and octave offsets that put the solution under the letter row.
course() {
    local data="$scratch/course"
    rm -rf "$data"
    cp -r "$build/bin/." "$data/"
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
    local file="${1//\\/\\\\}"  # a backslash means itself in the sed replacement
    sed -i "s|<Menu Expand=\"N\">|<Menu Expand=\"Y\">\n\t<Item Level=\"0\" Type=\"MusHarmonyExercise\" File=\"$file\" Text=\"Demo\" Debug=\"Y\" TextRussian=\"Демонстрация\" TextEnglish=\"Demonstration\"><Parm TaskRussian=\"Напишите каденцию T S D T.\" TaskEnglish=\"Write the cadence T S D T.\"/></Item>|" \
        "$data/xml/Menu.xml"
    cat > "$data/parms.xml" <<'XML'
<Parameters welcomed="Y" nomessagemidi="Y" octoffset0="0" octoffset1="0" octoffset2="-1" octoffset3="-1"><MidiInput/><MidiOutput/></Parameters>
XML
}

# session ARGUMENTS... < SCRIPT: runs the program on the scratch course under a fresh X server
# and the steps read from standard input, with shot, keys and window at hand.
session() {
    local data="$scratch/course"
    export XDG_RUNTIME_DIR="$scratch/runtime"
    export XDG_DATA_HOME="$scratch/home-data"
    rm -rf "$XDG_RUNTIME_DIR"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    xvfb-run -a -s "-screen 0 1280x800x24 -noreset" bash -c '
        set -e
        shot() { gst-launch-1.0 -q ximagesrc num-buffers=1 use-damage=false ! videoconvert ! pngenc ! filesink location="$OUT/$1"; }
        keys() { for k in "$@"; do xdotool key "$k"; sleep 0.15; done; }
        "$PROGRAM" -d "$DATA/" "$@" &
        app=$!
        win=""
        for i in $(seq 50); do
            win=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1 || true)
            [ -n "$win" ] && break
            sleep 0.2
        done
        sleep 1
        # No window manager runs under Xvfb: give the window the keyboard directly.
        xdotool windowfocus --sync "$win" || true
        source /dev/stdin
        kill $app
    ' _ "$@" <&0
}
# both_languages < SCRIPT: the session once in Russian, then in English, with "${prefix}" in the
# script standing for the screenshots' prefix (none, then "english-").
both_languages() {
    local body language prefix
    body=$(cat)
    for language in Russian English; do
        prefix=""
        [ "$language" = English ] && prefix="english-"
        session -l "$language" <<<"${body//'${prefix}'/$prefix}"
    done
}
export PROGRAM="$build/bin/partwriter" DATA="$scratch/course" OUT="$out"

# The cadence T S D T in close position, chord by chord from bass to soprano, and the same with
# parallel octaves of bass and soprano into the last chord.
cadence="k g k d  f h k f  g g j s  k g k d"
octaves="k g k d  f h k f  g g j s  k k semicolon g"

course 'xml\demo.xml'
session <<SCRIPT
shot start.png
keys $cadence
sleep 1
shot review.png
keys space
sleep 1
shot result.png
# The course tree: the section "Теория", then its first theory page.
xdotool mousemove 60 71 click 1; sleep 1
xdotool mousemove 90 91 click 1; sleep 1
shot theory.png
# Back to the exercise, and the first chord C3 G3 C4 E4 clicked on the on-screen piano.
xdotool mousemove 60 51 click 1; sleep 1
for x in 367 431 479 511; do xdotool mousemove \$x 766 click 1; sleep 0.3; done
sleep 0.5
shot piano.png
# A second chord with F sharp in the soprano: a red "?", its reasons in the panel, and the
# tooltip of the label under the mouse.
keys k g k t
sleep 0.5
shot why.png
xdotool mousemove 806 276; sleep 0.3; xdotool mousemove 810 277; sleep 2
shot tooltip.png
SCRIPT

course 'xml\demo.xml'
session -l English <<SCRIPT
shot english-start.png
keys $octaves
sleep 1
shot english-review.png
keys space
sleep 1
shot english-mark.png
xdotool mousemove 60 51 click 1; sleep 1
keys F1
sleep 1
shot english-keys.png
SCRIPT

course 'xml\empty.xml'
session -l English <<SCRIPT
keys a s d
sleep 0.5
xdotool key ctrl+a
sleep 1
shot english-parameters.png
xdotool key Escape
SCRIPT

# drill_course PARM_ATTRIBUTES: the course with a note-naming drill as its Debug item.
drill_course() {
    course 'xml\demo.xml'
    sed -i "s|Type=\"MusHarmonyExercise\" File=\"xml\\\\demo.xml\" Text=\"Demo\" Debug=\"Y\"|Type=\"MusNoteDefine\" Text=\"Demo\" Debug=\"Y\"|; s|<Parm TaskRussian=\"Напишите каденцию T S D T.\" TaskEnglish=\"Write the cadence T S D T.\"/>|<Parm $1/>|" \
        "$scratch/course/xml/Menu.xml"
}

# Two tasks of four seconds each on the white keys: a wrong key clicked, then both run out.
drill_course 'type="1" countnotes="2" countseconds="4" keyboardpicture="drill-keyboard.jpg" staffpicture="drill-staff.jpg" staffnotesoffset="70" staffonenoteoffset="36" staffonenotesize="24" stafftop="-8" keyboardtop="-45"'
both_languages <<'SCRIPT'
# The two lowest white keys, C4 and D4: at least one of them is wrong.
xdotool mousemove 521 520 click 1; sleep 0.2
xdotool mousemove 557 520 click 1; sleep 0.3
shot ${prefix}drill.png
sleep 4
shot ${prefix}drill-timeout.png
keys space
sleep 4.5
shot ${prefix}drill-mark.png
SCRIPT

# A short test with the overlay question of the bundled one: two boxes answered, one left empty,
# the finish button going to it, then the mark.
quest_course() {
    course 'xml\demo.xml'
    sed -n '/<QS /p; /<Q picture="html\\img\\quest-parallels.png">/,/<\/Q>/p' "$scratch/course/xml/quest-theory.xml" \
        | sed 's/Count="12"/Count="1"/; s/LimitMin="10" LimitSec="0"/LimitMin="0" LimitSec="6"/' \
            > "$scratch/course/xml/demo-quest.xml"
    echo '</QS>' >> "$scratch/course/xml/demo-quest.xml"
    sed -i '/Debug="Y"/ s|Type="MusHarmonyExercise" File="[^"]*"|Type="Quest" File="xml\\demo-quest.xml"|' \
        "$scratch/course/xml/Menu.xml"
}
quest_course
both_languages <<'SCRIPT'
sleep 0.5
shot ${prefix}quest.png
# The finish button: the empty boxes keep the test going; then time runs out to the mark.
xdotool mousemove 1011 723 click 1; sleep 0.5
shot ${prefix}quest-empty.png
sleep 6
shot ${prefix}quest-mark.png
SCRIPT

# The bundled 3D lesson: its first view animating, then the other views by their digit keys.
course 'xml\demo.xml'
sed -i '/Debug="Y"/ s|Type="MusHarmonyExercise" File="[^"]*"|Type="ORB3D" File="xml\\scenes-harmony.xml"|' \
    "$scratch/course/xml/Menu.xml"
both_languages <<'SCRIPT'
sleep 1
shot ${prefix}scene-1.png
sleep 1.5
shot ${prefix}scene-1-later.png
keys 2
sleep 1.5
shot ${prefix}scene-2.png
keys 3
sleep 1.2
shot ${prefix}scene-3.png
keys 4
sleep 1
shot ${prefix}scene-4.png
SCRIPT

# The video lesson from the menu, its own item made the Debug one so that its parts are listed:
# the first chords, then the second part chosen in the list.
course 'xml\demo.xml'
sed -i '/Debug="Y"/d; s|<Item Level="1" Type="Video"|<Item Level="1" Type="Video" Debug="Y"|' "$scratch/course/xml/Menu.xml"
both_languages <<'SCRIPT'
sleep 4
shot ${prefix}video.png
SCRIPT

# "My results" as the Debug item: every series, drill and test of the sessions above, newest first.
course 'xml\demo.xml'
sed -i '/Debug="Y"/ s|Type="MusHarmonyExercise" File="[^"]*"|Type="MyResults"|' "$scratch/course/xml/Menu.xml"
both_languages <<'SCRIPT'
sleep 0.5
shot ${prefix}results.png
SCRIPT

echo "screenshots in $out:" $(cd "$out" && ls *.png)
