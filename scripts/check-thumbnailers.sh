#!/usr/bin/env bash
# Checks the thumbnailer through the desktops that run it, with no display: GNOME's thumbnail
# factory (in its bubblewrap sandbox) and Tumbler, Xfce's thumbnail service, each asked for
# thumbnails of a program under each of its type names, an icon library, animated cursors, an
# icon and a cursor of the sample folder
# (scripts/check-thumbnailers.py says what is checked). As root: it installs what it needs.
#
# Pelorin is installed into a scratch prefix under /usr/local and the desktops are pointed at it
# with XDG_DATA_DIRS: GNOME's sandbox shows the thumbnailer nothing of the system but /usr, so a
# prefix elsewhere (a folder under /tmp) would not be found inside it. Caches, settings and the
# D-Bus session are scratch ones; nothing of the machine's own desktop is used or changed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh thumbnailers
scripts/build.sh pelorin pelorin-thumbnailer pelorin-extract pelorin_icons
data=${PELORIN_TESTDATA:-$PWD/../shared/testdata}
if [ ! -f "$data/MANIFEST.md" ]; then
  echo "check-thumbnailers.sh: no sample folder at $data (set PELORIN_TESTDATA)" >&2
  exit 1
fi
prefix=$(mktemp -d /usr/local/lib/pelorin-thumbnailers.XXXXXX)
scratch=$(mktemp -d)
trap 'rm -rf "$prefix" "$scratch"' EXIT
chmod 755 "$prefix"
cmake --install build --prefix "$prefix" >/dev/null
update-mime-database "$prefix/share/mime" >/dev/null 2>&1
export XDG_DATA_DIRS="$prefix/share:/usr/local/share:/usr/share"
export XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache" XDG_CONFIG_HOME="$scratch/config"
export GSETTINGS_BACKEND=memory
# Debian's PyGObject is for the system's Python, whatever python3 comes first on PATH. The
# session bus's own chatter (starting Tumbler, and Tumbler's complaint when the session ends
# under it) is left out of the output.
chatter='Failed to set fd limit|Activating service|Successfully activated|lost on the message dbus|^$'
dbus-run-session -- /usr/bin/python3 scripts/check-thumbnailers.py \
  "$prefix/bin/pelorin-thumbnailer" "$data" 2> >(grep -Ev "$chatter" >&2)
