#!/usr/bin/env bash
# Checks what a screen reader reads of Pelorin: under Xvfb with openbox, inside a D-Bus session
# of its own with the accessibility bus (at-spi2-core), the program runs with Qt's accessibility
# on, and scripts/accessibility-check.py walks the accessible tree of the main window and of every
# dialog, each opened with the keyboard (xdotool), prints the trees and fails when a control has no
# name. About half a minute once the program is built.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh accessibility
scripts/build.sh pelorin

work=$(mktemp -d /tmp/pelorin-accessibility.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
# The program writes its desktop entry and recent files into the home folder it is given.
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 \
  timeout 180 xvfb-run -a -s '-screen 0 1024x768x24' \
  dbus-run-session -- /usr/bin/python3 scripts/accessibility-check.py "$PWD/build/pelorin" "$work"
