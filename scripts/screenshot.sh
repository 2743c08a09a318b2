#!/usr/bin/env bash
# Saves pictures of the main window and of the about box into docs/ (main-window.png,
# about-box.png): builds the program's screenshot tool into build/ (or $BUILD_DIR) and
# runs the program's start-up under a virtual display (Xvfb), in the language that
# build/bin/Language/Language.xml selects (Chinese as shipped).
#   scripts/screenshot.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build}
export LANG=C.UTF-8
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target ondrava-screenshot
mkdir -p docs
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/ondrava-screenshot" docs
echo "Saved docs/main-window.png and docs/about-box.png."
