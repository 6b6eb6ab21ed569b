#!/usr/bin/env bash
# Installs every Debian package Partwriter needs to build, run and test.
# Idempotent: packages already present are not fetched again.
set -euo pipefail

packages=(
    # toolchain
    g++ cmake ninja-build pkg-config clang clang-format git
    # libraries
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-image-formats-plugins
    libqt6opengl6-dev libglu1-mesa-dev libegl-dev libegl-mesa0
    # the progress log (SQLite through Qt SQL) and its chart
    libqt6sql6-sqlite qt6-charts-dev
    libpugixml-dev librtmidi-dev libasound2-dev libfluidsynth-dev timgm6mb-soundfont
    libcli11-dev nlohmann-json3-dev
    fonts-noto-core fonts-liberation2
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    # tests and benchmarks (the install test validates the desktop entry and formats the manual pages)
    desktop-file-utils groff-base
    libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth libxcb1-dev
    # sanitizer runs and fuzzing: clang's runtimes (libFuzzer, ASan, UBSan) and llvm-symbolizer
    libclang-rt-dev llvm
    # test clips for the video pane
    gstreamer1.0-tools
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
