#!/usr/bin/env bash
# Stops, saying what to do, when the build folder $1 holds something this user cannot write:
# one made by an earlier run as root (or with sudo) would otherwise fail half-way through the
# build with "Permission denied". Used by build.sh and configure-sanitize.sh.
set -euo pipefail
folder=$1
[ -e "$folder" ] || exit 0
blocked=$(find "$folder" ! -writable -print -quit 2>/dev/null || true)
[ -z "$blocked" ] && exit 0
where=$(realpath "$folder")
owner=$(stat -c %U "$blocked" 2>/dev/null || echo "another user")
me=$(id -un)
[ "$blocked" = "$folder" ] && inside="" || inside=" (such as $blocked)"
cat >&2 <<TEXT
The build folder $where was made by $owner (an earlier run as root or with sudo),
and $me cannot write in it$inside. Either give it to $me:
    sudo chown -R $me: $(printf '%q' "$where")
or remove it, and it is built again:
    sudo rm -rf $(printf '%q' "$where")
then run the command again.
TEXT
exit 1
