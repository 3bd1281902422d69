#!/usr/bin/env bash
# Builds the whole test suite with clang under AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ (the folder that also holds the fuzz targets) and runs it. Any report fails the
# test it came from.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh sanitizers
scripts/configure-sanitize.sh
cmake --build build-sanitize --target pelorin_tests pelorin_qt_tests
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
