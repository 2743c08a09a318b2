#!/usr/bin/env bash
# Saves pictures of the program's named scenes into docs/: builds the screenshot tool
# into build/ (or $BUILD_DIR) and runs the program's start-up under a virtual display
# (Xvfb) with a window manager (openbox), as a desktop has, in the language that
# build/bin/Language/Language.xml selects (Chinese as shipped) or the one asked for,
# with a profile of its own (the user's interface style and pane layout stay out of
# the pictures).
#   scripts/screenshot.sh                          every scene
#   scripts/screenshot.sh NAME...                  only the named scenes (ondrava-screenshot --list)
#   scripts/screenshot.sh --language English NAME...
#                                                  in that language pack
#   scripts/screenshot.sh -j 3 ...                 three scenes at a time (default 1)
# Pictures are named as docs/ uses them: <scene>-<language>.png in any language but
# Chinese, and in Chinese too for a scene that docs/ keeps in another language as well
# (shell-start-chinese.png beside shell-start-english.png); otherwise <scene>.png.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build}
export LANG=C.UTF-8

usage() {
  echo "usage: $0 [-j N] [--language FOLDER] [scene...]" >&2
  exit 2
}
jobs=1
language=
while [[ $# -gt 0 ]]; do
  case $1 in
    -j) [[ $# -ge 2 ]] || usage; jobs=$2; shift 2 ;;
    -j*) jobs=${1#-j}; shift ;;
    --language) [[ $# -ge 2 ]] || usage; language=$2; shift 2 ;;
    --) shift; break ;;
    -*) usage ;;
    *) break ;;
  esac
done
[[ $jobs =~ ^[1-9][0-9]*$ ]] || { echo "-j takes a count of 1 or more, not '$jobs'" >&2; exit 2; }

cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target ondrava-screenshot
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The language the pictures come out in: the one asked for, else the selected one.
if [[ -z $language ]]; then
  list="$build/bin/Language/Language.xml"
  selected=$(sed -n 's/.*selectedId="\([0-9]*\)".*/\1/p' "$list" | head -n 1)
  shown=$(sed -n "s/.*<Language Id=\"${selected:-0}\"[^>]*dirName=\"\([^\"]*\)\".*/\1/p" "$list" | head -n 1)
  shown=${shown:-Chinese}
  asked=()
else
  shown=$language
  asked=(--language "$language")
  # Each program selects the language for its run and puts back the choice it found;
  # with several at once the one found may be another's, so the choice is kept here.
  cp "$build/bin/Language/Language.xml" "$work/Language.xml"
  trap 'cp "$work/Language.xml" "$build/bin/Language/Language.xml"; rm -rf "$work"' EXIT
fi
lower=${shown,,}

# Where a scene's picture goes in docs/.
target() {
  local scene=$1 other
  if [[ $lower != chinese ]]; then
    echo "docs/$scene-$lower.png"
    return
  fi
  for other in "$build"/bin/Language/*/; do
    other=$(basename "$other")
    other=${other,,}
    if [[ $other != chinese && -e docs/$scene-$other.png ]]; then
      echo "docs/$scene-chinese.png"
      return
    fi
  done
  echo "docs/$scene.png"
}

scenes=("$@")
if [[ ${#scenes[@]} -eq 0 ]]; then
  mapfile -t scenes < <("$build/bin/ondrava-screenshot" --list)
fi

# One program per scene: under Xvfb a second picture of the same window taken from
# the screen in one run comes out as the first. The window manager runs beside each
# scene's program and ends with it. Each scene has its own profile and folder, and
# the displays of scenes that run at once are looked for from different numbers.
with_openbox='openbox --sm-disable >/dev/null 2>&1 & wm=$!; sleep 1; "$@"; status=$?; kill "$wm"; exit "$status"'
shoot() {
  local scene=$1 slot=$2 out="$work/$1"
  mkdir -p "$out/pictures" "$out/config"
  XDG_CONFIG_HOME="$out/config" xvfb-run -a -n $((200 + 20 * slot)) -s "-screen 0 1600x1000x24" \
    sh -c "$with_openbox" sh "$build/bin/ondrava-screenshot" "${asked[@]}" "$out/pictures" "$scene" ||
    return 1
  local picture
  for picture in "$out/pictures"/*.png; do
    [[ -e $picture ]] || { echo "$scene: no picture" >&2; return 1; }
    mv -f "$picture" "$(target "$scene")"
  done
}

failed=0
running=0
slot=0
for scene in "${scenes[@]}"; do
  if [[ $running -ge $jobs ]]; then
    wait -n || failed=1
    running=$((running - 1))
  fi
  shoot "$scene" $((slot % jobs)) &
  running=$((running + 1))
  slot=$((slot + 1))
done
while [[ $running -gt 0 ]]; do
  wait -n || failed=1
  running=$((running - 1))
done
exit "$failed"
