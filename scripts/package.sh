#!/usr/bin/env bash
# Builds the Debian package of the program (build/pelorin_<version>_<arch>.deb) and lists what it
# installs. Install it with: apt install ./build/pelorin_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
scripts/build.sh pelorin pelorin-thumbnailer pelorin_icons
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/pelorin_*.deb)
dpkg-deb --field "$deb" Package Version Depends Recommends
dpkg-deb --contents "$deb" | awk '{print $6}'
