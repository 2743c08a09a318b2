#!/usr/bin/env bash
# Sets up and starts Ondrava: installs the missing Debian packages, builds into
# build/, makes a sample terminal data folder under build/samples/ and starts the
# program from its program folder build/bin/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
scripts/install-deps.sh
export LANG=C.UTF-8
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
if [[ ! -d build/samples ]]; then
  # Made aside and moved into place, so an interrupted run never leaves half a sample.
  rm -rf build/samples.partial
  build/bin/ondrava-gen sample build/samples.partial
  mv build/samples.partial build/samples
fi
echo "Sample terminal data: build/samples/"
exec build/bin/ondrava "$@"
