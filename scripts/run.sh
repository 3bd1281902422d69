#!/usr/bin/env bash
# Installs what is missing, builds the program (only the program), and starts the editor;
# arguments reach the program (for example: scripts/run.sh /open ~/icons/face.ico).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Pelorin is a desktop program and needs a graphical session, but neither DISPLAY nor" >&2
  echo "WAYLAND_DISPLAY is set. Run this command in a terminal of your desktop." >&2
  exit 1
fi
scripts/install-deps.sh
scripts/build.sh pelorin
exec build/pelorin "$@"
