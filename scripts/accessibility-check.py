#!/usr/bin/python3
# Reads Pelorin the way a screen reader does, through the accessibility bus (AT-SPI), inside a
# display and a D-Bus session of its own (scripts/accessibility-check.sh starts both): the main
# window, then every dialog, each opened from the keyboard as a user would (xdotool). It prints
# each tree, long runs of like parts shortened, and fails when a control has no name.
#
#   accessibility-check.py <program> <work folder>
import os
import signal
import struct
import subprocess
import sys
import time
import zlib

import pyatspi

program, work = sys.argv[1], sys.argv[2]

# Roles a user works or reads; containers (panels, fillers, windows' insides) need no name.
CONTROLS = {
    "push button", "toggle button", "check box", "radio button", "scroll bar", "slider",
    "spin button", "label", "list", "list item", "table", "table cell", "tree table",
    "canvas", "image", "tool bar", "menu", "menu item", "check menu item", "radio menu item",
    "page tab", "combo box", "text", "entry", "password text", "icon", "dialog", "alert",
}
# The windows themselves; a frame inside a window is a border.
WINDOWS = {"frame", "window", "dialog", "alert"}
# The toolkit's file dialog lists a folder's size as an empty cell: a value, not a control.
EMPTY_VALUES = {("tree", "table cell"), ("list", "list item")}
FILE_DIALOGS = {"open", "save as"}
# A run of more parts than this is shown by its first few and its last.
LONG_RUN = 24
problems = []
processes = []


def start(args, **kw):
    p = subprocess.Popen(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)
    processes.append(p)
    return p


def stop_all():
    for p in reversed(processes):
        if p.poll() is None:
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()


def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "60", *names], check=True)
    time.sleep(0.4)


def showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def line(obj, depth):
    name = obj.name or ""
    return "  " * depth + f"{obj.getRoleName()} \"{name}\""


def check(obj, path, top=False):
    role = obj.getRoleName()
    if (role in CONTROLS or (top and role in WINDOWS)) and not (obj.name or "").strip() \
            and showing(obj):
        parent = obj.parent.getRoleName() if obj.parent is not None else ""
        if (parent, role) in EMPTY_VALUES and path.split("/")[0] in FILE_DIALOGS:
            return
        problems.append(f"{path}/{role}: no name")


def walk(obj, depth, path, out):
    check(obj, path, top=depth == 1)
    out.append(line(obj, depth))
    children = [obj.getChildAtIndex(i) for i in range(obj.childCount)]
    children = [c for c in children if c is not None]
    here = f"{path}/{obj.getRoleName()}"
    if len(children) > LONG_RUN and all(c.childCount == 0 for c in children):
        for c in children:
            check(c, here)
        for c in children[:3]:
            out.append(line(c, depth + 1))
        out.append("  " * (depth + 1) + f"... {len(children) - 4} more "
                   f"{children[3].getRoleName()}, all checked")
        out.append(line(children[-1], depth + 1))
        return
    for c in children:
        walk(c, depth + 1, here, out)


def application(timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "pelorin":
                return app
        time.sleep(0.3)
    sys.exit("accessibility-check: the program never appeared on the accessibility bus")


def windows(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)
            if app.getChildAtIndex(i) is not None and showing(app.getChildAtIndex(i))]


def new_window(app, before, what, timeout=10):
    end = time.time() + timeout
    while time.time() < end:
        for w in windows(app):
            if all(w != b for b in before):
                time.sleep(0.3)
                return w
        time.sleep(0.2)
    problems.append(f"{what}: no window appeared")
    return None


def focused_role(window):
    # The main window's controls stand two levels down, in its client area.
    for area in (window.getChildAtIndex(i) for i in range(window.childCount)):
        for c in (area.getChildAtIndex(j) for j in range(area.childCount)):
            if c is not None and c.getState().contains(pyatspi.STATE_FOCUSED):
                return c.getRoleName()
    return None


def show(title, obj):
    out = []
    walk(obj, 1, title, out)
    print(f"== {title}")
    print("\n".join(out))


def dialog(app, title, open_keys, close_keys=("Escape",)):
    before = windows(app)
    keys(*open_keys)
    w = new_window(app, before, title)
    if w is not None:
        show(title, w)
    keys(*close_keys)
    end = time.time() + 5
    while w is not None and showing(w) and time.time() < end:
        time.sleep(0.2)


def png(path, width, height):
    # A picture larger than the icon, so that a paste asks how to shrink it.
    rows = b"".join(b"\0" + b"".join(bytes([x * 5 % 256, y * 6 % 256, 128]) for x in range(width))
                    for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8,
                                                                     2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def main():
    start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    time.sleep(1)
    start(["openbox"])
    time.sleep(1)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    start([program], env=env, cwd=work)
    app = application()
    main_window = None
    end = time.time() + 10
    while main_window is None and time.time() < end:
        shown = windows(app)
        main_window = shown[0] if shown else None
        time.sleep(0.3)
    if main_window is None:
        sys.exit("accessibility-check: the main window never showed")
    time.sleep(0.5)
    show("main window", main_window)

    dialog(app, "about", ["alt+h", "a"])
    dialog(app, "icon browser", ["alt+f", "e"])
    dialog(app, "colour adjustment", ["alt+c", "a"])
    dialog(app, "background gradient", ["alt+i", "g"])
    dialog(app, "screen capture", ["alt+i", "c"])
    dialog(app, "open", ["ctrl+o"])
    dialog(app, "save as", ["alt+f", "a"])
    picture = os.path.join(work, "large.png")
    png(picture, 48, 40)
    clip = start(["xclip", "-selection", "clipboard", "-t", "image/png", "-i", picture])
    time.sleep(0.5)
    dialog(app, "paste sizing", ["ctrl+v"])
    clip.terminate()
    # The colour dialog: 调整调色板 ticked from the keyboard, then Enter on the palette (Tab goes
    # round the canvas, the tool palette, the colour palette and the check box).
    keys("ctrl+a", "Delete")
    for _ in range(5):
        if focused_role(main_window) == "check box":
            break
        keys("Tab")
    keys("space", "shift+Tab")
    dialog(app, "colour dialog", ["Return"])
    # A message box: the document has changed, and New asks whether to save it.
    dialog(app, "message box", ["ctrl+n"])

    print(f"== {len(problems)} problem(s)")
    for p in problems:
        print("  " + p)
    return 1 if problems else 0


try:
    status = main()
finally:
    stop_all()
sys.exit(status)
