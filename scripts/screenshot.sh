#!/usr/bin/env bash
# Saves pictures of the program's named scenes into docs/ (<scene>.png): builds the
# screenshot tool into build/ (or $BUILD_DIR) and runs the program's start-up under a
# virtual display (Xvfb), in the language that build/bin/Language/Language.xml
# selects (Chinese as shipped).
#   scripts/screenshot.sh             every scene
#   scripts/screenshot.sh NAME...     only the named scenes (ondrava-screenshot --list)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build}
export LANG=C.UTF-8
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target ondrava-screenshot
mkdir -p docs
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/ondrava-screenshot" docs "$@"
