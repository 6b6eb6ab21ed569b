#!/usr/bin/env bash
# Makes the video lesson of the theory section: the cadence T S D T written chord by chord over a
# given bass, first in C major, then in A minor with its raised leading tone, each chord named and
# sounding as it appears, then the whole cadence played again. 32 seconds, 728 x 560, silent but
# for the chords; the staff's labels are its captions, so there is a Russian and an English video:
#   OUT/video/cadence-lesson.webm, OUT/video/cadence-lessonEnglish.webm
# Frames are drawn by `partwriter-cli render`, the sound by `partwriter-cli midi render`, and
# GStreamer joins them into WebM (VP8 video, Vorbis audio). The build runs it beside the programs:
#   tools/make_video_lesson.sh build/bin/partwriter-cli build/bin
# The menu's Point times of the two parts (0 and 16 seconds) follow the timeline below.
set -euo pipefail

cli=${1:?usage: make_video_lesson.sh PARTWRITER_CLI OUT_DIR}
out=${2:?usage: make_video_lesson.sh PARTWRITER_CLI OUT_DIR}
# The course beside the programs: its rule base names the chords, its bitmaps draw the staff.
data=$(cd "$(dirname "$cli")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

width=728 height=560
# Both cadences of the example lesson: the bass is given, the upper voices come chord by chord.
cat >"$work/bass.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<MExercise Def="TSD major" FixedVoice="0" FixedLength="Y">
	<Part Key0="4" Key1="1">
		<Tonality type="1" val="0"/>
		<Size chi="4" zna="8"/>
		<Voice H="0"><Note High="24" Long="8"/><Note High="17" Long="8"/><Note High="19" Long="8"/><Note High="24" Long="8"/></Voice>
		<Voice H="1"/><Voice H="2"/><Voice H="3"/>
	</Part>
	<Part Key0="4" Key1="1" Def="TSD minor">
		<Tonality type="0" val="0"/>
		<Size chi="4" zna="8"/>
		<Voice H="0"><Note High="24" Long="8"/><Note High="29" Long="8"/><Note High="31" Long="8"/><Note High="24" Long="8"/></Voice>
		<Voice H="1"/><Voice H="2"/><Voice H="3"/>
	</Part>
</MExercise>
XML

# The sounding chords, bass to soprano: C major close position, then A minor open position.
major=("48 55 60 64" "41 57 60 65" "43 55 59 62" "48 55 60 64")
minor=("45 57 64 72" "50 57 65 74" "52 56 64 71" "45 57 64 72")
upper() { echo "${1#* }"; }

# The states of the staff: 0 the basses alone, 1-4 the major chords, 5-8 the minor ones added.
tokens=()
"$cli" enter "$work/bass.xml" --data-dir "$data" --save "$work/state0.xml" >/dev/null
for k in 0 1 2 3; do
    # shellcheck disable=SC2206 # one token per note
    tokens+=($(upper "${major[$k]}"))
    "$cli" enter "$work/bass.xml" --data-dir "$data" --save "$work/state$((k + 1)).xml" -- "${tokens[@]}" >/dev/null
done
tokens+=(partdown)
for k in 0 1 2 3; do
    # shellcheck disable=SC2206
    tokens+=($(upper "${minor[$k]}"))
    "$cli" enter "$work/bass.xml" --data-dir "$data" --save "$work/state$((k + 5)).xml" -- "${tokens[@]}" >/dev/null
done

# One frame a second: the state shown at each second of the lesson.
#   0-1 basses, 2 T, 4 S, 6 D, 8-15 T (the cadence played again from 10 s),
#   16-17 unchanged, 18 t, 20 s, 22 D, 24-31 t (played again from 26 s).
timeline=(0 0 1 1 2 2 3 3 4 4 4 4 4 4 4 4 4 4 5 5 6 6 7 7 8 8 8 8 8 8 8 8)

# The chords sound as they appear (1.8 s each) and again in tempo (1.2 s each).
messages=("0xC0,0,0@0")
play() { # start-ms length-ms "notes"
    for n in $3; do messages+=("0x90,$n,90@$1" "0x80,$n,0@$(($1 + $2 - 20))"); done
}
for k in 0 1 2 3; do
    play $((2000 + 2000 * k)) 1800 "${major[$k]}"
    play $((10000 + 1200 * k)) 1200 "${major[$k]}"
    play $((18000 + 2000 * k)) 1800 "${minor[$k]}"
    play $((26000 + 1200 * k)) 1200 "${minor[$k]}"
done
# The synthesizer rings 1.5 s past the last message: the sound ends with the 32nd second.
messages+=("0xB0,123,0@30500")
"$cli" midi render "$work/lesson.wav" -- "${messages[@]}" >/dev/null

mkdir -p "$out/video"
for language in Russian English; do
    suffix=""
    [ "$language" = English ] && suffix=English
    for state in 0 1 2 3 4 5 6 7 8; do
        "$cli" render "$work/state$state.xml" --data-dir "$data" --analyze --no-cursor --language "$language" \
            --width $width --height $height -o "$work/state$state.png" 2>/dev/null
    done
    for second in "${!timeline[@]}"; do
        cp "$work/state${timeline[$second]}.png" "$(printf '%s/frame-%02d.png' "$work" "$second")"
    done
    # Ten frames a second and a key frame every second, so the parts' times seek exactly.
    gst-launch-1.0 -q \
        multifilesrc location="$work/frame-%02d.png" index=0 caps="image/png,framerate=1/1" \
        ! pngdec ! videoconvert ! videorate ! video/x-raw,framerate=10/1 \
        ! vp8enc keyframe-max-dist=10 deadline=1 ! queue ! mux. \
        filesrc location="$work/lesson.wav" ! wavparse ! audioconvert ! vorbisenc ! queue ! mux. \
        webmmux name=mux ! filesink location="$work/lesson.webm"
    mv "$work/lesson.webm" "$out/video/cadence-lesson$suffix.webm"
    echo "video/cadence-lesson$suffix.webm: ${#timeline[@]} s, $width x $height"
done
