#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that the installed programs find their
# course without arguments, that the desktop files are there, and that a start writes nothing
# into the (read-only) installation: settings and snapshots go to the user's folders.
#   install_test.sh BUILD_DIR PNG_PROBE
set -euo pipefail
build="$1"
probe="$2"
scratch="$(mktemp -d)"
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
prefix="$scratch/prefix"
fail() {
    echo "install test: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/partwriter bin/partwriter-cli share/partwriter/sys.xml share/partwriter/xml/Menu.xml \
    share/partwriter/Localize.xml share/partwriter/res share/partwriter/Bitmaps \
    share/applications/partwriter.desktop share/icons/hicolor/scalable/apps/partwriter.svg \
    share/icons/hicolor/48x48/apps/partwriter.png share/man/man1/partwriter.1 share/man/man1/partwriter-cli.1; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done
# The video lesson is made by the build when GStreamer's tools are there.
if [ -e "$build/bin/video/cadence-lesson.webm" ]; then
    for file in cadence-lesson.webm cadence-lessonEnglish.webm; do
        [ -e "$prefix/share/partwriter/video/$file" ] || fail "video/$file is not installed"
    done
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/partwriter.desktop" || fail "the desktop file is not valid"
fi
for page in partwriter partwriter-cli; do
    groff -man -Tutf8 -ww -z "$prefix/share/man/man1/$page.1" 2>&1 | grep . && fail "the manual page $page.1 has faults"
done

# An installed course is read-only; the user's folders are the scratch home.
chmod -R a-w "$prefix/share/partwriter"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"
mkdir -p "$HOME"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
touch "$scratch/stamp"

# The command line finds the installed course by itself.
cd "$scratch"
"$prefix/bin/partwriter-cli" dump xml/empty.xml --edit | grep -q '"status": 0' || fail "partwriter-cli does not find its course"

# The program starts on its own X server and shows its window with the course tree.
export QT_QPA_PLATFORM=xcb PREFIX="$prefix" SHOT="$scratch/start.png"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
    "$PREFIX/bin/partwriter" &
    app=$!
    sleep 5
    kill -0 $app 2>/dev/null || { echo "the program ended at start" >&2; exit 1; }
    gst-launch-1.0 -q ximagesrc num-buffers=1 use-damage=false ! videoconvert ! pngenc ! filesink location="$SHOT"
    kill $app
    wait $app || true
' || fail "the installed program did not start"
# Its window is mostly the white of the tree and pages over the X server's black.
white="$("$probe" "$scratch/start.png" --colours ffffff | sed 's/.*"coloured": \([0-9]*\).*/\1/')"
[ "$white" -gt 20000 ] || fail "no window on screen ($white white pixels)"

written="$(find "$prefix" -newer "$scratch/stamp" | head -5)"
[ -z "$written" ] || fail "the program wrote into its installation: $written"
echo "installed, started and left its installation untouched"
