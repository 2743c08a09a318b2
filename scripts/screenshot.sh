#!/usr/bin/env bash
# Saves pictures of the program's named scenes into docs/ (<scene>.png): builds the
# screenshot tool into build/ (or $BUILD_DIR) and runs the program's start-up under a
# virtual display (Xvfb) with a window manager (openbox), as a desktop has, in the language that build/bin/Language/Language.xml
# selects (Chinese as shipped), with a profile of its own (the user's interface
# style and pane layout stay out of the pictures).
#   scripts/screenshot.sh                          every scene
#   scripts/screenshot.sh NAME...                  only the named scenes (ondrava-screenshot --list)
#   scripts/screenshot.sh --language English NAME...
#                                                  in that language pack, as docs/<scene>-english.png
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build}
export LANG=C.UTF-8
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target ondrava-screenshot
mkdir -p docs
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
language=()
if [[ ${1:-} == --language ]]; then
  language=(--language "$2")
  shift 2
fi
# One program per scene: under Xvfb a second picture of the same window taken from
# the screen in one run comes out as the first.
scenes=("$@")
if [[ ${#scenes[@]} -eq 0 ]]; then
  mapfile -t scenes < <("$build/bin/ondrava-screenshot" --list)
fi
# The window manager runs beside each scene's program and ends with it.
with_openbox='openbox --sm-disable >/dev/null 2>&1 & wm=$!; sleep 1; "$@"; status=$?; kill "$wm"; exit "$status"'
for scene in "${scenes[@]}"; do
  xvfb-run -a -s "-screen 0 1600x1000x24" \
    sh -c "$with_openbox" sh "$build/bin/ondrava-screenshot" "${language[@]}" docs "$scene"
done
