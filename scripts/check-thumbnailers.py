"""Asks the desktops' own thumbnail machinery for thumbnails of sample files, headless.

    check-thumbnailers.py <installed pelorin-thumbnailer> <sample folder>

Run by scripts/check-thumbnailers.sh, which installs Pelorin into a scratch prefix, points
XDG_DATA_DIRS at it (first, so that GNOME reads its entry before gdk-pixbuf's) and the caches at
a scratch folder, and starts a private D-Bus session.

GNOME: libgnome-desktop's DesktopThumbnailFactory, the way Files asks for a thumbnail (it runs
the thumbnailer in its bubblewrap sandbox). Tumbler: Xfce's thumbnail service, asked over D-Bus
as Thunar asks it. Each must make Pelorin's thumbnail (the pixels the thumbnailer writes when run
by hand) of a program under every type name the entry claims for programs, of an icon library,
of two animated cursors (one that gdk-pixbuf refuses), of an icon made of a PNG image only
(which gdk-pixbuf also refuses) and of a cursor. Tumbler has a thumbnailer of its own for icons,
cursors and animated cursors: Pelorin's entry must win by its priority. Each file is asked for
as a copy of its own, so that no thumbnail of one name stands in for another's.
"""

import hashlib
import os
import shutil
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
PROGRAM = "pe/wine-x86_64/winemine.exe"
# (what, file in the sample folder, the type asked for, whether the desktop must give it that
# type by itself)
FILES = [("program", PROGRAM, "application/x-ms-dos-executable", True)] + [
    ("program", PROGRAM, name, False)
    for name in ["application/x-msdownload", "application/vnd.microsoft.portable-executable",
                 "application/x-ms-ne-executable", "application/x-dosexec"]
] + [
    ("icon library", "icl/xdev70-Icons.icl", "application/x-icon-library", True),
    ("animated cursor", "ani/gdk-pixbuf/test-animation.ani", "application/x-navi-animation", True),
    ("animated cursor", "ani/imhex/ani.compatibility.hexpat.ani", "application/x-navi-animation",
     True),
    ("icon", "ico/image-rs/png-32bpp-alpha.ico", "image/vnd.microsoft.icon", True),
    ("cursor", "cur/pillow/deerstalker.cur", "image/x-win-bitmap", True),
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


def copies(folder):
    """Each file of FILES copied into `folder` under a name of its own."""
    paths = []
    for n, (_, relative, _, _) in enumerate(FILES):
        path = os.path.join(folder, f"{n}-{os.path.basename(relative)}")
        shutil.copyfile(os.path.join(DATA, relative), path)
        paths.append(path)
    return paths


def check_gnome(paths):
    factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
    for (what, relative, mime, detected), path in zip(FILES, paths):
        uri, found, mtime = uri_and_type(path)
        if detected and found != mime:
            fail(f"GNOME: the {what} {relative} is {found}, not {mime}")
            continue
        if not factory.can_thumbnail(uri, mime, mtime):
            fail(f"GNOME: no thumbnailer for the {what} {relative} as {mime}")
            continue
        try:
            pixbuf = factory.generate_thumbnail(uri, mime, None)
        except GLib.Error as error:
            fail(f"GNOME: no thumbnail of the {what} {relative} as {mime}: {error.message}")
            continue
        if pixels(pixbuf) != by_hand(path):
            fail(f"GNOME: the thumbnail of the {what} {relative} as {mime} is not Pelorin's")
            continue
        print(f"GNOME: {what} {relative} as {mime}: {pixbuf.get_width()} x {pixbuf.get_height()}")


def check_tumbler(paths):
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    thumbnailer = Gio.DBusProxy.new_sync(
        bus, Gio.DBusProxyFlags.NONE, None, "org.freedesktop.thumbnails.Thumbnailer1",
        "/org/freedesktop/thumbnails/Thumbnailer1", "org.freedesktop.thumbnails.Thumbnailer1",
        None)
    uris = [Gio.File.new_for_path(path).get_uri() for path in paths]
    mimes = [mime for _, _, mime, _ in FILES]
    thumbnailer.call_sync("Queue", GLib.Variant("(asasssu)", (uris, mimes, "normal", "default", 0)),
                          Gio.DBusCallFlags.NONE, -1, None)
    # Tumbler writes each thumbnail into the cache under the MD5 of the file's URI.
    cache = os.path.join(os.environ["XDG_CACHE_HOME"], "thumbnails", "normal")
    wanted = [os.path.join(cache, hashlib.md5(uri.encode()).hexdigest() + ".png") for uri in uris]
    deadline = time.monotonic() + 30
    while not all(map(os.path.exists, wanted)) and time.monotonic() < deadline:
        time.sleep(0.1)
    time.sleep(0.2)  # the last file may still be being written
    for (what, relative, mime, _), path, thumbnail in zip(FILES, paths, wanted):
        if not os.path.exists(thumbnail):
            fail(f"Tumbler: no thumbnail of the {what} {relative} as {mime}")
            continue
        pixbuf = GdkPixbuf.Pixbuf.new_from_file(thumbnail)
        if pixels(pixbuf) != by_hand(path):
            fail(f"Tumbler: the thumbnail of the {what} {relative} as {mime} is not Pelorin's")
            continue
        print(f"Tumbler: {what} {relative} as {mime}: {pixbuf.get_width()} x {pixbuf.get_height()}")


with tempfile.TemporaryDirectory() as scratch:
    files = copies(scratch)
    check_gnome(files)
    check_tumbler(files)
if failures:
    sys.exit(f"check-thumbnailers: {len(failures)} failed")
print("check-thumbnailers: GNOME and Tumbler show the icons")
