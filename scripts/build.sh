#!/usr/bin/env bash
# Configures and builds Vantrel into build/ (or $VANTREL_BUILD_DIR).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VANTREL_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
if [[ ! -f "$build/build.ninja" ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTREL_WERROR=ON "$@"
fi
cmake --build "$build" --parallel "$(nproc)"
