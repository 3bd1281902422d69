"""Asks the desktops' own thumbnail machinery for thumbnails of sample files, headless.

    check-thumbnailers.py <installed pelorin-thumbnailer> <sample folder>

Run by scripts/check-thumbnailers.sh, which installs Pelorin into a scratch prefix, points
XDG_DATA_DIRS at it and the caches at a scratch folder, and starts a private D-Bus session.

GNOME: libgnome-desktop's DesktopThumbnailFactory, the way Files asks for a thumbnail (it runs
the thumbnailer in its bubblewrap sandbox). Tumbler: Xfce's thumbnail service, asked over D-Bus
as Thunar asks it. Each must make the thumbnails of a program, an icon library and an animated
cursor; for the program and the icon library, Pelorin's thumbnailer makes them, so their pixels
must be those it writes when run by hand. The animated cursor's type is gdk-pixbuf's, not ours:
its thumbnail comes from the desktop's own thumbnailer. A user who wants Pelorin's for animated
cursors too (gdk-pixbuf refuses some real ones) puts an entry for their type in
~/.local/share/thumbnailers; the last check does that and asks GNOME again for such a cursor.
"""

import hashlib
import os
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("GdkPixbuf", "2.0")
gi.require_version("GnomeDesktop", "3.0")
from gi.repository import GdkPixbuf, Gio, GLib, GnomeDesktop  # noqa: E402

THUMBNAILER, DATA = sys.argv[1], sys.argv[2]
SIZE = 128  # the desktops' normal size
# (what, file in the sample folder, the type the desktop gives it, made by Pelorin's thumbnailer)
FILES = [
    ("program", "pe/wine-x86_64/winemine.exe", "application/x-ms-dos-executable", True),
    ("icon library", "icl/xdev70-Icons.icl", "application/x-icon-library", True),
    ("animated cursor", "ani/gdk-pixbuf/test-animation.ani", "application/x-navi-animation", False),
]
failures = []


def fail(message):
    print("check-thumbnailers: " + message, file=sys.stderr)
    failures.append(message)


def pixels(pixbuf):
    """Width, height, channels and the pixel bytes of a pixbuf, without row padding."""
    width, height, channels = pixbuf.get_width(), pixbuf.get_height(), pixbuf.get_n_channels()
    stride, data = pixbuf.get_rowstride(), pixbuf.read_pixel_bytes().get_data()
    rows = b"".join(data[y * stride : y * stride + width * channels] for y in range(height))
    return width, height, channels, rows


def by_hand(path):
    """The pixels of the thumbnail Pelorin's thumbnailer writes when run by hand."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "thumbnail.png")
        subprocess.run([THUMBNAILER, "-s", str(SIZE), path, out], check=True)
        return pixels(GdkPixbuf.Pixbuf.new_from_file(out))


def uri_and_type(path):
    file = Gio.File.new_for_path(path)
    info = file.query_info("standard::content-type,time::modified", 0, None)
    return file.get_uri(), info.get_content_type(), info.get_attribute_uint64("time::modified")


def check_gnome(files):
    factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
    for what, relative, mime, ours in files:
        path = os.path.join(DATA, relative)
        uri, found, mtime = uri_and_type(path)
        if found != mime:
            fail(f"GNOME: the {what} {relative} is {found}, not {mime}")
            continue
        if not factory.can_thumbnail(uri, mime, mtime):
            fail(f"GNOME: no thumbnailer for the {what} {relative} ({mime})")
            continue
        try:
            pixbuf = factory.generate_thumbnail(uri, mime, None)
        except GLib.Error as error:
            fail(f"GNOME: no thumbnail of the {what} {relative}: {error.message}")
            continue
        if ours and pixels(pixbuf) != by_hand(path):
            fail(f"GNOME: the thumbnail of the {what} {relative} is not Pelorin's")
            continue
        print(f"GNOME: {what} {relative}: {pixbuf.get_width()} x {pixbuf.get_height()}")


def check_tumbler(files):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    thumbnailer = Gio.DBusProxy.new_sync(
        bus, Gio.DBusProxyFlags.NONE, None, "org.freedesktop.thumbnails.Thumbnailer1",
        "/org/freedesktop/thumbnails/Thumbnailer1", "org.freedesktop.thumbnails.Thumbnailer1",
        None)
    paths = [os.path.join(DATA, relative) for _, relative, _, _ in files]
    uris = [Gio.File.new_for_path(path).get_uri() for path in paths]
    mimes = [mime for _, _, mime, _ in files]
    thumbnailer.call_sync("Queue", GLib.Variant("(asasssu)", (uris, mimes, "normal", "default", 0)),
                          Gio.DBusCallFlags.NONE, -1, None)
    # Tumbler writes each thumbnail into the cache under the MD5 of the file's URI.
    cache = os.path.join(os.environ["XDG_CACHE_HOME"], "thumbnails", "normal")
    wanted = [os.path.join(cache, hashlib.md5(uri.encode()).hexdigest() + ".png") for uri in uris]
    deadline = time.monotonic() + 30
    while not all(map(os.path.exists, wanted)) and time.monotonic() < deadline:
        time.sleep(0.1)
    time.sleep(0.2)  # the last file may still be being written
    for (what, relative, _, ours), path, thumbnail in zip(files, paths, wanted):
        if not os.path.exists(thumbnail):
            fail(f"Tumbler: no thumbnail of the {what} {relative}")
            continue
        pixbuf = GdkPixbuf.Pixbuf.new_from_file(thumbnail)
        if ours and pixels(pixbuf) != by_hand(path):
            fail(f"Tumbler: the thumbnail of the {what} {relative} is not Pelorin's")
            continue
        print(f"Tumbler: {what} {relative}: {pixbuf.get_width()} x {pixbuf.get_height()}")


def check_gnome_with_cursors_chosen():
    # The user's own thumbnailers come first; the installed entry's Exec with the cursors' type.
    entry = os.path.join(os.path.dirname(os.path.dirname(THUMBNAILER)), "share", "thumbnailers",
                         "pelorin.thumbnailer")
    keys = GLib.KeyFile()
    keys.load_from_file(entry, GLib.KeyFileFlags.NONE)
    keys.set_string("Thumbnailer Entry", "MimeType", "application/x-navi-animation;")
    folder = os.path.join(os.environ["XDG_DATA_HOME"], "thumbnailers")
    os.makedirs(folder, exist_ok=True)
    keys.save_to_file(os.path.join(folder, "pelorin-cursors.thumbnailer"))
    # One that gdk-pixbuf refuses ("Invalid header in animation").
    check_gnome([("animated cursor", "ani/imhex/ani.compatibility.hexpat.ani",
                  "application/x-navi-animation", True)])


check_gnome(FILES)
check_tumbler(FILES)
check_gnome_with_cursors_chosen()
if failures:
    sys.exit(f"check-thumbnailers: {len(failures)} failed")
print("check-thumbnailers: GNOME and Tumbler show the icons")
