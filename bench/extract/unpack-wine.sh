#!/usr/bin/env bash
# Unpacks Debian's libwine package (Wine's own programs and libraries, which the extraction and
# thumbnail benchmarks read) into build/wine/ without installing it, and says how to point the
# benchmarks at it:
#   eval "$(bash bench/extract/unpack-wine.sh)"; build/bench/pelorin_bench
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=build/wine
if [ ! -f "$folder/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll" ]; then
  mkdir -p "$folder"
  (cd "$folder" && apt-get download libwine >&2 && dpkg-deb -x libwine_*.deb . && rm libwine_*.deb)
fi
echo "export PELORIN_SHELL32=$PWD/$folder/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/shell32.dll"
