#!/usr/bin/env bash
# Installs what is missing, builds the program and the tests, and runs every test. Qt tests need
# no display. The tests that read the third-party sample files look for them in
# $PELORIN_TESTDATA, else in ../shared/testdata, and skip when they are not there; every skipped
# test is listed at the end with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh pelorin pelorin-thumbnailer pelorin-extract pelorin_icons pelorin_tests pelorin_qt_tests pelorin_fuzz_smoke
export QT_QPA_PLATFORM=offscreen
status=0
ctest --test-dir build --output-on-failure -j"$(nproc)" || status=$?
# GoogleTest writes "<file>:<line>: Skipped" and then the reason, up to its "[  SKIPPED ]" line.
awk '
  /^[0-9]+\/[0-9]+ Testing: / { name = $3; next }
  /: Skipped$/ { reading = 1; reason = ""; next }
  reading && /^\[  SKIPPED \]/ { skipped[++count] = name ": " reason; reading = 0; next }
  reading { reason = reason (reason == "" ? "" : " ") $0 }
  END {
    if (count == 0) exit
    print "Skipped, with the reason each gave (" count "):"
    for (i = 1; i <= count; i++) print "  " skipped[i]
  }' build/Testing/Temporary/LastTest.log
exit $status
