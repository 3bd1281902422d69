#!/usr/bin/env bash
# Installs what building, running and testing Pelorin needs on Debian 12. Packages that are
# already there are not fetched again, and when nothing is missing nothing is asked: run by a user
# other than root, it asks for sudo only to install what is missing (without sudo, it says what to
# run as root). Extra groups on the command line add what the other scripts need: "sanitizers"
# (clang and its libFuzzer and sanitizer runtimes, for scripts/sanitizers.sh and scripts/fuzz.sh),
# "package" (for scripts/package.sh), "thumbnailers" (GNOME's thumbnail factory for Python,
# bubblewrap, Tumbler and a D-Bus session, for scripts/check-thumbnailers.sh), "wayland" (a
# headless Wayland session and the toolkit's Wayland platform, for scripts/wayland-check.sh) and
# "accessibility" (the accessibility bus and its Python client, Xvfb, openbox, xdotool and xclip,
# for scripts/accessibility-check.sh).
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  # qt6-base-dev brings Qt D-Bus too, which reaches the desktop's screenshot portal.
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev
  libpng-dev
  # libxcb checks that the X display answers before the toolkit starts.
  libxcb1-dev
  fonts-wqy-microhei
  # The tests validate the desktop entry, the AppStream metainfo and the MIME package.
  desktop-file-utils appstream shared-mime-info file
)
for group in "$@"; do
  case "$group" in
    sanitizers) packages+=(clang libclang-rt-14-dev) ;;
    package) packages+=(dpkg-dev lintian) ;;
    thumbnailers) packages+=(gir1.2-gnomedesktop-3.0 python3-gi bubblewrap tumbler dbus-daemon) ;;
    wayland)
      # qt6-wayland is the toolkit's native Wayland platform (wayland-check.sh wayland).
      # Debian 12's screenshot portal answers only with an Access back end beside the wlroots one
      # (xdg-desktop-portal-gtk); xdotool drives the program through XWayland, wtype natively.
      packages+=(qt6-wayland sway xwayland xdg-desktop-portal xdg-desktop-portal-wlr
        xdg-desktop-portal-gtk pipewire grim wl-clipboard wtype xdotool dbus-daemon dbus-bin
        python3) ;;
    accessibility)
      packages+=(at-spi2-core python3-pyatspi xvfb xauth openbox xdotool xclip dbus-daemon
        dbus-bin) ;;
    *) echo "install-deps.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi
if [ "$(id -u)" != 0 ]; then
  # Only the install runs as root; whatever runs this script goes on as this user.
  me=$(realpath "$0")
  again=$(printf '%q ' bash "$me" "$@")
  echo "Pelorin needs these Debian packages, which are not installed: ${missing[*]}" >&2
  if command -v sudo >/dev/null; then
    echo "Installing them with sudo; everything else runs as $(id -un)." >&2
    if sudo bash "$me" "$@"; then exit 0; fi
    echo "sudo could not install them." >&2
  fi
  echo "Install them as root, then run the command again:" >&2
  echo "    su -c '${again% }'" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# dpkg syncs every file it unpacks unless told not to; on a fresh machine that is most of the
# install's time, and an install cut short is simply run again.
apt-get install -y -qq --no-install-recommends -o Dpkg::Options::=--force-unsafe-io "${missing[@]}"
