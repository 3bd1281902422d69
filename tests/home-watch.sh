#!/bin/sh
# The home folder CTest gives every test (tests/CMakeLists.txt): "start FOLDER" makes it empty
# before the tests, "check FOLDER" fails, listing what is in it, when a test wrote there.
set -eu
if [ "$1" = start ]; then
  rm -rf "$2" && mkdir -p "$2"
elif [ -n "$(find "$2" -mindepth 1)" ]; then
  echo "The tests wrote into the home folder they were given:" >&2
  find "$2" -mindepth 1 | sort >&2
  exit 1
fi
