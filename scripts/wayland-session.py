#!/usr/bin/env python3
"""The inside of scripts/wayland-check.sh: runs in a fresh D-Bus session, starts a headless sway
with XWayland, shows a known pattern through a Wayland client (swaybg) and drives the program with
xdotool through XWayland (or wtype's keys when it runs natively).

    wayland-session.py PROGRAM WORKDIR MODE

MODE "wayland" forces the toolkit's native Wayland platform, "xcb" its X11 platform (through
XWayland); anything else leaves the choice to the program. Prints one line per check and exits 1 when any failed.
"""

import json
import os
import struct
import subprocess
import sys
import time
import zlib

PROGRAM, WORK, MODE = sys.argv[1], sys.argv[2], sys.argv[3]
RUN = os.environ["XDG_RUNTIME_DIR"]
OUTPUT_W, OUTPUT_H = 1024, 768
CLIENT_W, CLIENT_H = 562, 348  # kClientWidth, kClientHeight (src/app/frmMain.h)
CELL = 10  # canvas pixels per icon pixel
started = time.monotonic()
results = []
children = []


def log(text):
    print(f"[{time.monotonic() - started:5.1f} s] {text}", flush=True)


def check(name, ok, detail=""):
    results.append(ok)
    log(f"{'ok  ' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}")
    return ok


def wait_for(what, condition, timeout=20.0, step=0.2):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = condition()
        if value:
            return value
        time.sleep(step)
    log(f"gave up waiting for {what} after {timeout:.0f} s")
    return None


def start(args, env=None, **kw):
    child = subprocess.Popen(args, env=env, **kw)
    children.append(child)
    return child


def run(args, **kw):
    return subprocess.run(args, env=ENV, check=False, capture_output=True, **kw)


# --- pictures: the pattern, PPM screenshots, PNG in and out --------------------------------------


def pattern(x, y):
    """A colour that names its place on the output: no two places share one."""
    return (x & 255, y & 255, 0x80 | ((x >> 8) << 2) | (y >> 8))


def write_pattern(path):
    rows = bytearray()
    for y in range(OUTPUT_H):
        for x in range(OUTPUT_W):
            rows += bytes(pattern(x, y))
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (OUTPUT_W, OUTPUT_H) + rows)


class Image:
    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i : i + 3])


def read_ppm(data):
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos : pos + 1].isspace():
            pos += 1
        if data[pos : pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end : end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", fields
    width, height = int(fields[1]), int(fields[2])
    return Image(width, height, data[pos + 1 : pos + 1 + 3 * width * height])


def screenshot():
    shot = run(["grim", "-t", "ppm", "-"])
    if shot.returncode != 0:
        log("grim failed: " + shot.stderr.decode(errors="replace").strip())
        return None
    return read_ppm(shot.stdout)


def png_bytes(width, height, colour):
    raw = b"".join(b"\0" + b"".join(bytes(colour(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b"")


def read_png(data):
    """8-bit grey, RGB or RGBA PNG, not interlaced, as an Image of its RGB values."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n", "not a PNG"
    pos, idat = 8, b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos : pos + 4])
        kind, body = data[pos + 4 : pos + 8], data[pos + 8 : pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    assert depth == 8 and interlace == 0 and ctype in (0, 2, 6), (depth, ctype, interlace)
    channels = {0: 1, 2: 3, 6: 4}[ctype]
    stride = width * channels
    raw, rows, prev = zlib.decompress(idat), [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(line)
        prev = line
    rgb = bytearray()
    for line in rows:
        for x in range(width):
            px = line[x * channels : (x + 1) * channels]
            rgb += bytes(px[:3]) if channels >= 3 else bytes([px[0]] * 3)
    return Image(width, height, rgb)


# --- the session ----------------------------------------------------------------------------------


def sway_tree():
    out = run(["swaymsg", "-r", "-t", "get_tree"])
    return json.loads(out.stdout) if out.returncode == 0 else {}


def windows_of(pid):
    found = []

    def walk(node):
        if node.get("pid") == pid and node.get("type") in ("con", "floating_con"):
            found.append(node)
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            walk(child)

    walk(sway_tree())
    return found


def content_rect(node):
    r, w = node["rect"], node["window_rect"]
    return (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"])


# Input: through XWayland, xdotool's XTEST events reach the program as a pointer and keys would;
# a native client gets keys from wtype (a virtual keyboard). A headless sway has no pointer device,
# so a native client cannot be clicked at all.
XWAYLAND = True


def click(x, y):
    run(["xdotool", "mousemove", str(x - 3), str(y - 3)])
    time.sleep(0.2)
    run(["xdotool", "mousemove", str(x), str(y), "click", "1"])
    time.sleep(0.5)


def keys(*combos):
    """Key combinations in xdotool's words ("alt+e", "s"), one after the other."""
    if XWAYLAND:
        for combo in combos:
            run(["xdotool", "key", combo])
            time.sleep(0.6)
        return
    # One virtual keyboard for the whole sequence: a new one per key loses keys to an open menu.
    words = []
    for combo in combos:
        *mods, key = combo.split("+")
        words += [a for m in mods for a in ("-M", m)] + [key] + [a for m in mods for a in ("-m", m)] + ["-s", "300"]
    run(["wtype", *words])
    time.sleep(0.6)


def find_canvas(image, area):
    """The top-left corner of the canvas grid (33 black lines 10 apart) within `area`."""
    ax, ay, aw, ah = area
    black = (0, 0, 0)
    for y in range(ay, ay + ah - 320):
        for x in range(ax, ax + aw - 320):
            if image.at(x, y) != black or image.at(x + 320, y) != black:
                continue
            if all(image.at(x + k * CELL, y + k * CELL) == black for k in range(33)) and all(
                image.at(x + k, y) == black and image.at(x, y + k) == black for k in range(321)
            ):
                return x, y
    return None


def cells(image, corner):
    x0, y0 = corner
    return [[image.at(x0 + CELL * i + CELL // 2, y0 + CELL * j + CELL // 2) for i in range(32)] for j in range(32)]


def main():
    global ENV
    config = os.path.join(WORK, "sway.conf")
    with open(config, "w") as f:
        f.write(
            f"output HEADLESS-1 resolution {OUTPUT_W}x{OUTPUT_H} position 0 0\n"
            "xwayland force\n"
            "seat * hide_cursor 0\n"
            f"exec printenv DISPLAY > {WORK}/display\n"
        )
    sway = start(["sway", "-c", config], stdout=open(os.path.join(WORK, "sway.log"), "w"), stderr=subprocess.STDOUT)
    sock = wait_for("sway", lambda: [n for n in os.listdir(RUN) if n.startswith("sway-ipc.")])
    wl = wait_for("the Wayland socket", lambda: [n for n in os.listdir(RUN) if n.startswith("wayland-") and not n.endswith(".lock")])
    if not sock or not wl or sway.poll() is not None:
        check("sway starts", False, open(os.path.join(WORK, "sway.log")).read()[-2000:])
        return
    display = wait_for("XWayland", lambda: open(os.path.join(WORK, "display")).read().strip() if os.path.exists(os.path.join(WORK, "display")) else "")
    ENV = dict(os.environ, SWAYSOCK=os.path.join(RUN, sock[0]), WAYLAND_DISPLAY=wl[0], DISPLAY=display or "")
    log(f"sway {run(['sway', '--version']).stdout.decode().strip()} on {wl[0]}, XWayland on {display}")
    # The portal and its back end are started by the bus on first use, with these settings. The
    # wlroots back end stops at start-up when it cannot reach PipeWire (for screen casts).
    run(["dbus-update-activation-environment", "WAYLAND_DISPLAY", "DISPLAY", "XDG_CURRENT_DESKTOP", "SWAYSOCK"])
    start(["pipewire"], env=ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    background = os.path.join(WORK, "pattern.ppm")
    write_pattern(background)
    start(["swaybg", "-o", "*", "-i", background, "-m", "center"], env=ENV, stderr=subprocess.DEVNULL)
    shown = wait_for("the pattern", lambda: (s := screenshot()) and s.at(700, 500) == pattern(700, 500) and s)
    check("a Wayland client's pattern is on the screen (grim)", bool(shown))

    env = dict(ENV, LANG="C.UTF-8")
    if MODE in ("wayland", "xcb"):
        env["QT_QPA_PLATFORM"] = MODE
    program = start([PROGRAM], env=env, stdout=open(os.path.join(WORK, "pelorin.log"), "w"), stderr=subprocess.STDOUT)
    window = wait_for("the main window", lambda: [w for w in windows_of(program.pid) if w["rect"]["width"] > 0])
    if not window:
        check("the main window appears", False, open(os.path.join(WORK, "pelorin.log")).read()[-2000:])
        return
    time.sleep(1.5)
    window = windows_of(program.pid)[0]
    x, y, w, h = content_rect(window)
    global XWAYLAND
    XWAYLAND = window.get("shell") == "xwayland"
    platform = "XWayland" if XWAYLAND else "native Wayland"
    log(f"the program runs through {platform}; its window is at ({x}, {y}), {w} x {h}, {window['type']}")
    asked = ((OUTPUT_W - window["rect"]["width"]) // 2, (OUTPUT_H - window["rect"]["height"]) // 3)
    log(f"the program places it at {asked} (centre, a third of the free height above); sway put it at "
        f"({window['rect']['x']}, {window['rect']['y']})")
    check("the window has its fixed size and floats", w == CLIENT_W and CLIENT_H < h < CLIENT_H + 60 and window["type"] == "floating_con", f"{w} x {h}")

    before = screenshot()
    corner = find_canvas(before, (x, y, w, h))
    if not check("the canvas is on the screen", corner is not None):
        return
    log(f"canvas at {corner}")
    cx, cy = corner[0] + CELL * 3 + 5, corner[1] + CELL * 4 + 5
    if not XWAYLAND:
        # The picture stays white, so the copy is checked on the white pixels alone.
        log("no pointer in a headless session for a native client: the canvas and the capture go unchecked")
    else:
        click(cx, cy)
        after = wait_for("the painted cell", lambda: (s := screenshot()) and s.at(cx, cy) == (0, 0, 0) and s, timeout=5)
        check("a click on the canvas paints the cell black", bool(after) and before.at(cx, cy) != (0, 0, 0), f"cell (3, 4) was {before.at(cx, cy)}")

    # Out: select all, copy, and read it as a Wayland client.
    run(["wl-copy", "--clear"])
    keys("alt+e", "s", "ctrl+c")
    types = wait_for("the copied picture", lambda: "image/png" in run(["wl-paste", "--list-types"]).stdout.decode() and True, timeout=5)
    copied = run(["wl-paste", "-t", "image/png"]).stdout if types else b""
    try:
        picture = read_png(copied)
        painted = (0, 0, 0) if XWAYLAND else (255, 255, 255)
        ok = picture.width == 32 and picture.height == 32 and picture.at(3, 4) == painted and picture.at(20, 20) == (255, 255, 255)
        detail = f"{picture.width} x {picture.height}, pixel (3, 4) {picture.at(3, 4)}, (20, 20) {picture.at(20, 20)}"
    except Exception as error:  # noqa: BLE001 - any broken answer is a failed check
        ok, detail = False, f"{len(copied)} bytes: {error}"
    check("copy: wl-paste reads the picture as image/png", ok, detail)

    # In: a Wayland client copies a picture, the program pastes it.
    def paste_colour(i, j):
        return (8 * i, 8 * j, 200)

    copier = start(["wl-copy", "-t", "image/png", "--foreground"], env=ENV, stdin=subprocess.PIPE)
    copier.stdin.write(png_bytes(32, 32, paste_colour))
    copier.stdin.close()
    time.sleep(0.5)
    keys("ctrl+v")
    pasted = wait_for("the pasted picture", lambda: (s := screenshot()) and cells(s, corner)[10][10] == paste_colour(10, 10) and s, timeout=5)
    wrong = []
    if pasted:
        got = cells(pasted, corner)
        wrong = [(i, j) for j in range(1, 31) for i in range(1, 31) if got[j][i] != paste_colour(i, j)]
    check("paste: the program shows the picture wl-copy offered", bool(pasted) and not wrong, f"{len(wrong)} cells differ" if pasted else "nothing pasted")
    copier.kill()

    # The screen capture: Image menu, capture; the block under the pointer at (400, 200).
    if not XWAYLAND:
        log(open(os.path.join(WORK, "pelorin.log")).read().strip() or "the program printed nothing")
        return
    keys("alt+i", "c")
    snap = wait_for("the capture window", lambda: [n for n in windows_of(program.pid) if n["rect"]["width"] >= OUTPUT_W], timeout=30)
    if check("the capture window covers the screen", bool(snap)):
        # The capture window holds the pointer at (W - 32, H - 32); through XWayland that is a
        # warp of the X pointer.
        run(["xdotool", "mousemove", "1020", "760"])
        time.sleep(0.5)
        where = run(["xdotool", "getmouselocation"]).stdout.decode().strip()
        log(f"pointer moved to (1020, 760) during the capture, now {where} (held at 992, 736)")
        hx, hy = 400, 200
        click(hx, hy)
        taken = wait_for("the captured block", lambda: (s := screenshot()) and cells(s, corner)[16][16] == pattern(hx + 16, hy + 16) and s, timeout=10)
        got = cells(taken or screenshot(), corner)
        wrong = [(i, j) for j in range(32) for i in range(32) if got[j][i] != pattern(hx + i, hy + j)]
        black = sum(1 for row in got for c in row if c == (0, 0, 0))
        check("capture: the canvas holds the 32 x 32 block at the pointer", not wrong, f"{len(wrong)} cells differ, {black} black; cell (0, 0) {got[0][0]}, expected {pattern(hx, hy)}")
    log(open(os.path.join(WORK, "pelorin.log")).read().strip() or "the program printed nothing")
    program.terminate()
    program.wait(timeout=10)

    # Without the portal a second program has no screen image, and says so: a direct X grab
    # (black where the Wayland windows are) is not taken for the screen.
    alone = start([PROGRAM], env=dict(env, DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent"), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not wait_for("the second main window", lambda: windows_of(alone.pid)):
        check("without the portal the capture reports no screen image", False, "no window")
        return
    time.sleep(1.5)
    keys("alt+i", "c")
    names = wait_for("the message", lambda: [n.get("name") for n in windows_of(alone.pid) if "错误" in (n.get("name") or "")], timeout=10)
    covered = [n for n in windows_of(alone.pid) if n["rect"]["width"] >= OUTPUT_W]
    check("without the portal the capture reports no screen image", bool(names) and not covered, f"windows {[n.get('name') for n in windows_of(alone.pid)]}")


try:
    ENV = dict(os.environ)
    main()
finally:
    for child in reversed(children):
        if child.poll() is None:
            child.terminate()
    for child in children:
        try:
            child.wait(timeout=5)
        except subprocess.TimeoutExpired:
            child.kill()
passed = sum(results)
print(f"wayland-check ({MODE}): {passed} of {len(results)} checks passed in {time.monotonic() - started:.0f} s", flush=True)
sys.exit(0 if results and all(results) else 1)
