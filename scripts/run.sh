#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor; arguments reach the program
# (for example: scripts/run.sh /open ~/icons/face.ico).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec build/pelorin "$@"
