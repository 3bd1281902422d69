#!/usr/bin/env bash
# Installs what is missing, builds the program and the tests, and runs every test. Qt tests need
# no display. The tests that read the third-party sample files look for them in
# $PELORIN_TESTDATA, else in ../shared/testdata, and skip when they are not there.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh pelorin pelorin-thumbnailer pelorin_icons pelorin_tests pelorin_qt_tests pelorin_fuzz_smoke
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j"$(nproc)"
