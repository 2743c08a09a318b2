#!/usr/bin/env bash
# Sets up and runs every test: installs the missing Debian packages, builds, runs the
# tests (those that need a display under Xvfb).
#   ./test.sh               the normal build (build/) and all its tests
#   ./test.sh --sanitizers  instead, everything built with AddressSanitizer and
#                           UndefinedBehaviorSanitizer (build-asan/, compiled in batches of
#                           files) and every test run there, the window tests and the
#                           journey under Xvfb too; then fuzzes each reader of outside data
#                           for a short, fixed number of inputs (scripts/fuzz.sh, clang,
#                           build-fuzz/). This is what CI runs.
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
display=(xvfb-run -a -s "-screen 0 1600x1000x24")

if ((!sanitizers)); then
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build -j "$jobs"
  "${display[@]}" ctest --test-dir build --output-on-failure -j "$jobs" --timeout 1200
  exit 0
fi

cmake -S . -B build-asan -G Ninja -DONDRAVA_HEADLESS=OFF -DONDRAVA_SANITIZE=ON -DONDRAVA_BUILD_BENCH=OFF \
  -DONDRAVA_UNITY=ON >/dev/null
cmake --build build-asan -j "$jobs"
# The leak suppressions of the toolkit come with each test (tests/lsan.supp). The
# journey drives the real program, which leaves the toolkit's process-wide state to the
# end of the process, so its leak check stays off. The crash-dump test (label "nosan")
# dies on purpose: the sanitizer leaves the signals to the program's own crash handler,
# which is what the test checks.
failed=0
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "${display[@]}" ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE "nosan|journey" --timeout 1800 \
  || failed=1
ASAN_OPTIONS=detect_leaks=0:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "${display[@]}" ctest --test-dir build-asan --output-on-failure -L journey --timeout 1800 || failed=1
ASAN_OPTIONS=handle_segv=0:handle_abort=0:handle_sigfpe=0:handle_sigbus=0:handle_sigill=0:detect_leaks=0 \
  UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -L nosan --timeout 1800 || failed=1
scripts/fuzz.sh --jobs "$jobs" --timeout 5 || failed=1
((!failed)) || { echo "test.sh: tests failed in build-asan or the fuzz runs" >&2; exit 1; }
