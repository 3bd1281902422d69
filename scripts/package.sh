#!/usr/bin/env bash
# Builds the Debian package of the program (build/pelorin_<version>_<arch>.deb), lists what it
# installs and checks it with lintian, which fails the command on an error or a warning (a tag
# that is to be accepted goes, with its reason, into a lintian-overrides file installed as
# usr/share/lintian/overrides/pelorin). Install it with:
# apt install ./build/pelorin_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh package
scripts/build.sh pelorin pelorin-thumbnailer pelorin-extract pelorin_icons
(cd build && cpack -G DEB >/dev/null)
deb=$(ls build/pelorin_*.deb)
dpkg-deb --field "$deb" Package Version Depends Recommends
dpkg-deb --contents "$deb" | awk '{print $6}'
lintian --fail-on error,warning --display-info "$deb"
echo "lintian: $deb passes"
