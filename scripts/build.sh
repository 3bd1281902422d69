#!/usr/bin/env bash
# Builds the given targets (all of them without arguments) into build/; the program is
# build/pelorin. The folder is configured the first time only: later builds let CMake re-run
# its configuration by itself when a CMakeLists.txt changed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-build-folder.sh build
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build "${targets[@]}"
