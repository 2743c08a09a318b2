#!/usr/bin/env bash
# Sets up and runs every test: installs the missing Debian packages, builds into
# build/, runs the tests (those that need a display under Xvfb).
#   ./test.sh               the normal build and all its tests
#   ./test.sh --sanitizers  also builds everything with AddressSanitizer and
#                           UndefinedBehaviorSanitizer into build-asan/ and runs every test
#                           there, the window tests under Xvfb too; then fuzzes each reader
#                           of outside data for a short, fixed number of inputs
#                           (scripts/fuzz.sh, clang, build-fuzz/)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
sanitizers=0
for arg in "$@"; do
  case "$arg" in
    --sanitizers) sanitizers=1 ;;
    *) echo "usage: $0 [--sanitizers]" >&2; exit 2 ;;
  esac
done
scripts/install-deps.sh
jobs=$(nproc)
export LANG=C.UTF-8

cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$jobs"
xvfb-run -a -s "-screen 0 1600x1000x24" \
  ctest --test-dir build --output-on-failure -j "$jobs" --timeout 1200

if ((sanitizers)); then
  cmake -S . -B build-asan -G Ninja -DONDRAVA_HEADLESS=OFF -DONDRAVA_SANITIZE=ON -DONDRAVA_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
  # Tests labelled "nosan" (the crash-dump test) provoke crashes on purpose; the
  # journey (label "journey") walks the whole program in the normal build. The leak
  # suppressions of the toolkit come with each test (tests/lsan.supp).
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    xvfb-run -a -s "-screen 0 1600x1000x24" \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE "nosan|journey" --timeout 1800
  scripts/fuzz.sh --jobs "$jobs" --timeout 5
fi
