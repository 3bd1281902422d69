#!/bin/sh
# The home folder CTest gives every test (tests/CMakeLists.txt).
#   home-watch.sh start FOLDER   makes FOLDER, empty, before the tests
#   home-watch.sh check FOLDER   fails, listing what is in FOLDER, when a test wrote there
set -eu
folder=$2
case "$1" in
  start)
    rm -rf "$folder"
    mkdir -p "$folder"
    ;;
  check)
    left=$(find "$folder" -mindepth 1 | sort)
    if [ -n "$left" ]; then
      echo "The tests wrote into the home folder they were given ($folder):" >&2
      echo "$left" >&2
      exit 1
    fi
    echo "Nothing written into $folder"
    ;;
  *)
    echo "home-watch.sh: start or check, then a folder" >&2
    exit 2
    ;;
esac
