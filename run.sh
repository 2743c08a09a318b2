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
if [[ -x build/bin/ondrava-gen && ! -d build/samples ]]; then
  build/bin/ondrava-gen sample build/samples
fi
if [[ -x build/bin/ondrava ]]; then
  exec build/bin/ondrava "$@"
fi
echo "Built the libraries into build/bin. The program window (build/bin/ondrava) is not built yet;"
echo "sample terminal data is under build/samples/ once the generator has made it."
