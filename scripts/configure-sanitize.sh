#!/usr/bin/env bash
# Configures build-sanitize/ once: clang, AddressSanitizer, UndefinedBehaviorSanitizer and the
# fuzz targets. Used by scripts/sanitizers.sh and scripts/fuzz.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-build-folder.sh build-sanitize
if [ ! -f build-sanitize/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPELORIN_BUILD_FUZZ=ON -DPELORIN_BUILD_BENCH=OFF >/dev/null
fi
