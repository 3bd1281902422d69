#!/usr/bin/env bash
# Checks the program in a real Wayland session: a headless sway (wlroots, with XWayland) inside its
# own D-Bus session, with the desktop portal and its wlroots back end, grim and wl-clipboard.
# It checks that the main window appears at its fixed size, that a click on the canvas paints,
# that pictures go both ways between the program and a Wayland client's clipboard, and that a
# screen capture takes the right 32 x 32 block of a pattern shown by a Wayland client.
#
#   scripts/wayland-check.sh            the program as it starts on a Wayland desktop
#   scripts/wayland-check.sh wayland    forced onto the toolkit's native Wayland platform
#   scripts/wayland-check.sh xcb        forced onto its X11 platform, through XWayland
#
# Takes about a minute once the program is built. Run it before merging a change to the
# platform code (src/platform/qt/, the views). sway refuses to run as root, so as root the
# session runs as the user nobody.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-default}
scripts/install-deps.sh wayland
scripts/build.sh pelorin

# The session leaves files in /tmp under fixed names: wl-copy its buffers in
# /tmp/wl-copy-buffer-*, the wlroots portal each screenshot in /tmp/out.png, which a later run by
# another user could not write over. As root the session gets a /tmp of its own (work/tmp, in a
# mount namespace; the work folder is then outside /tmp), which goes with the folder; otherwise
# what it left in /tmp is removed.
if [ "$(id -u)" = 0 ]; then
  work=$(mktemp -d /var/tmp/pelorin-wayland.XXXXXX)
else
  work=$(mktemp -d /tmp/pelorin-wayland.XXXXXX)
fi
# The desktop portal's document store mounts a FUSE file system at run/doc, and it can still be
# mounted when the session has ended: it is detached first, so that the folder can go.
cleanup() {
  local tries mounted
  if [ "$(id -u)" != 0 ] && [ -e "$work/started" ]; then
    find /tmp -maxdepth 1 -name 'wl-copy-buffer-*' -user "$(id -u)" -newer "$work/started" \
      -exec rm -rf {} + 2>/dev/null || true
    if [ -O /tmp/out.png ]; then rm -f /tmp/out.png; fi
  fi
  for tries in 1 2 3; do
    mounted=$(awk -v w="$work/" 'index($2, w) == 1 { print $2 }' /proc/mounts)
    for m in $mounted; do
      fusermount3 -u -z "$m" 2>/dev/null || umount -l "$m" 2>/dev/null || true
    done
    if rm -rf "$work" 2>/dev/null; then return 0; fi
    sleep 1
  done
  echo "wayland-check.sh: $work is left behind" >&2
}
trap cleanup EXIT
touch "$work/started"
mkdir -p "$work/run" "$work/home" "$work/tmp"
chmod 700 "$work/run"
chmod 1777 "$work/tmp"
# The session's user may not be able to read the checkout (under /root, say): it gets copies.
cp build/pelorin scripts/wayland-session.py "$work/"
as_user=()
own_tmp=()
if [ "$(id -u)" = 0 ]; then
  chown -R 65534:65534 "$work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  own_tmp=(unshare --mount --propagation private sh -c 'mount --bind "$0" /tmp && exec "$@"'
    "$work/tmp")
elif [ -e /tmp/out.png ] && [ ! -O /tmp/out.png ]; then
  echo "wayland-check.sh: /tmp/out.png belongs to someone else; the portal cannot write it" >&2
  exit 1
fi

"${own_tmp[@]}" "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$work/home" \
  XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8 WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
  WLR_RENDERER=pixman XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland \
  timeout 300 dbus-run-session -- python3 "$work/wayland-session.py" "$work/pelorin" "$work" "$mode"
