#!/usr/bin/python3
"""The real program under its own Xvfb, driven with xdotool, checked by the pixels of screenshots.
Usage: e2e.py CASE --game PATH --close PATH --assets DIR. Exits 77 (skipped) without the X tools;
waits poll with generous limits, and nothing asserts how long anything took."""

import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

try:
    from PIL import Image
except ImportError:
    Image = None

SKIP = 77
ORDER_PAGE = "https://www.example.com/quillmere/order"
SCREEN = (1280, 1024)
YELLOW = (255, 255, 0)
# The cells' fill colours, kinds 2 to 7.
FILLS = [(240, 223, 144), (240, 151, 144), (239, 151, 240), (128, 159, 255), (160, 223, 128),
         (144, 207, 240)]


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def wait_for(what, predicate, limit=60.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if value := predicate():
            return value
        time.sleep(0.1)
    raise Failure("gave up waiting for " + what)


def near(a, b, slack=6):
    return all(abs(x - y) <= slack for x, y in zip(a, b))


class Session:
    """One Xvfb with a stub browser, a private runtime directory and the game's processes."""

    def __init__(self, args, screen=SCREEN):
        self.args, self.screen, self.procs, self.xvfb = args, screen, [], None
        self.tmp = tempfile.mkdtemp(prefix="qm-e2e-")
        self.opened = os.path.join(self.tmp, "opened.txt")
        bindir = os.path.join(self.tmp, "bin")
        os.mkdir(bindir)
        stub = os.path.join(bindir, "xdg-open")
        with open(stub, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.opened)
        os.chmod(stub, 0o755)
        # Leak checks stay with the unit tests: the X libraries keep allocations for the life
        # of the process, and the game ends with _exit, which skips the check anyway.
        self.env = dict(os.environ, XDG_RUNTIME_DIR=self.tmp, PATH=bindir + ":" + os.environ["PATH"],
                        ASAN_OPTIONS="detect_leaks=0", LC_ALL="C.UTF-8")
        for name in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY"):
            self.env.pop(name, None)

    def __enter__(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % self.screen,
             "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.env["DISPLAY"] = ":" + f.readline().strip()
        return self

    def __exit__(self, *exc):
        for proc in (p for p in self.procs if p.poll() is None):
            proc.kill()
            proc.wait()
        self.xvfb.terminate()
        self.xvfb.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def game(self, **env):
        proc = subprocess.Popen([self.args.game], env=dict(self.env, **env),
                                stderr=subprocess.PIPE, text=True)
        self.procs.append(proc)
        return proc

    def run(self, *cmd):
        return subprocess.run(cmd, env=self.env, check=True, capture_output=True, text=True).stdout

    def xdotool(self, *words):
        self.run("xdotool", *words)

    def windows(self):
        """Mapped top-level windows: {title: (id, x, y, w, h)}."""
        found = {}
        for line in self.run("xwininfo", "-root", "-tree").splitlines():
            m = re.match(r'\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+'
                         r'\+(-?\d+)\+(-?\d+)', line)
            if not m:
                continue
            wid, title = m.group(1), m.group(2)
            if "IsViewable" in self.run("xwininfo", "-id", wid):
                w, h, x, y = (int(m.group(i)) for i in range(3, 7))
                found[title] = (wid, x, y, w, h)
        return found

    def window(self, title, limit=60.0):
        def found():
            for proc in self.procs:
                if proc.poll() not in (None, 0):
                    raise Failure("the game ended with %d: %s" % (proc.returncode,
                                                                  proc.stderr.read()))
            return self.windows().get(title)
        try:
            return wait_for("window " + title, found, limit)
        except Failure as failure:
            raise Failure("%s; windows shown: %s" % (failure, sorted(self.windows()))) from None

    def shot(self):
        path = os.path.join(self.tmp, "shot.png")
        self.run("import", "-window", "root", path)
        with Image.open(path) as img:
            return img.convert("RGB")

    def orders(self):
        return open(self.opened).read().splitlines() if os.path.exists(self.opened) else []

    def asset(self, name):
        return Image.open(os.path.join(self.args.assets, name + ".bmp")).convert("RGB")


def count(img, left, top, box, color):
    x0, y0, w, h = box
    return sum(img.getpixel((left + x, top + y)) == color
               for y in range(y0, y0 + h) for x in range(x0, x0 + w))


def cell_fill(img, main, column, row):
    """The fill colour of the cell at (column, row) when one shows there, else None."""
    _, left, top, _, _ = main
    pixel = img.getpixel((left + 63 + 24 * column + 3, top + 20 + 24 * row + 3))
    return next((f for f in FILLS if near(pixel, f)), None)


def column_cells(img, main, column):
    return [row for row in range(1, 13) if cell_fill(img, main, column, row)]


def case_window(s):
    s.game()
    main = s.window("Quillmere")
    _, x, y, w, h = main
    check((w, h) == (320, 400), "client area %dx%d" % (w, h))
    check((x, y) == ((SCREEN[0] - w) // 2, (SCREEN[1] - h) // 2), "not centred: +%d+%d" % (x, y))
    img = s.shot()
    background = s.asset("window")
    for px, py in [(5, 5), (100, 100), (300, 200)]:
        check(img.getpixel((x + px, y + py)) == background.getpixel((px, py)),
              "background at %d,%d" % (px, py))
    check(count(img, x, y, (90, 372, 110, 18), YELLOW) > 20, "no yellow score")


def case_hidpi(s):
    s.game(GDK_SCALE="2")
    _, x, y, w, h = s.window("Quillmere")
    check((w, h) == (640, 800), "client area %dx%d at scale 2" % (w, h))
    img = s.shot()
    background = s.asset("window")
    for px, py in [(100, 100), (37, 211), (319, 399)]:
        for dx, dy in [(0, 0), (1, 1)]:
            check(img.getpixel((x + 2 * px + dx, y + 2 * py + dy)) == background.getpixel((px, py)),
                  "scaled background at %d,%d" % (px, py))


def start_game(s):
    proc = s.game()
    main = s.window("Quillmere")
    s.xdotool("key", "Num_Lock")
    s.xdotool("key", "Return")
    return proc, main


def case_play(s):
    _, main = start_game(s)
    wait_for("the first pair in column 3", lambda: column_cells(s.shot(), main, 3))
    s.xdotool("key", "KP_Left")
    wait_for("the pair moved to column 2",
             lambda: (lambda img: column_cells(img, main, 2) and not column_cells(img, main, 3))(
                 s.shot()), limit=10)


def pair_in(img, main, column):
    """The falling pair's (upper, lower) fills when it stands alone in that column, else None."""
    rows = column_cells(img, main, column)
    if len(rows) != 2 or rows[0] + 1 != rows[1] or rows[1] == 12:
        return None
    return cell_fill(img, main, column, rows[0]), cell_fill(img, main, column, rows[1])


def case_arrows(s):
    """Num Lock stays off: the keypad does nothing, the dedicated arrows play."""
    s.game()
    main = s.window("Quillmere")
    s.xdotool("key", "Return")
    wait_for("the first pair in column 3", lambda: pair_in(s.shot(), main, 3))
    s.xdotool("key", "KP_Left", "KP_Right", "KP_Begin", "KP_Left")
    s.xdotool("keydown", "KP_Down")
    time.sleep(1)
    img = s.shot()
    s.xdotool("keyup", "KP_Down")
    check(pair_in(img, main, 3) and all(not column_cells(img, main, c) for c in (1, 2, 4, 5, 6)),
          "the keypad without Num Lock moved or dropped the pair")
    s.xdotool("key", "Left")
    upper, lower = wait_for("Left to move the pair", lambda: pair_in(s.shot(), main, 2), limit=10)
    s.xdotool("key", "Up")
    wait_for("Up to swap the pair", lambda: pair_in(s.shot(), main, 2) == (lower, upper), limit=10)
    s.xdotool("key", "Right", "Right")
    wait_for("Right to move the pair", lambda: pair_in(s.shot(), main, 4), limit=10)
    s.xdotool("keydown", "Down")
    try:
        # At its own pace the pair needs seconds more to reach the floor.
        wait_for("Down to drop the pair fast",
                 lambda: column_cells(s.shot(), main, 4)[-2:] == [11, 12], limit=2.5)
    finally:
        s.xdotool("keyup", "Down")


def case_promo(s):
    _, main = start_game(s)
    s.xdotool("keydown", "KP_Down")
    promo = s.window("Quillmere for Win", limit=180)
    _, mx, my, _, _ = main
    _, x, y, w, h = promo
    check((w, h) == (120, 154), "promo client %dx%d" % (w, h))
    check((x, y) == (mx + 272, my + 133), "promo at +%d+%d" % (x, y))
    time.sleep(1.5)  # the held key's auto-repeat now reaches the promotional window
    s.xdotool("keyup", "KP_Down")
    time.sleep(0.5)
    check(s.orders() == [], "a key held from play opened the page: %s" % s.orders())
    img = s.shot()
    check(img.getpixel((x + 60, y + 80)) == s.asset("promo").getpixel((60, 80)), "promo picture")
    s.xdotool("key", "space")
    wait_for("the order page", lambda: len(s.orders()) == 1)
    check(s.orders() == [ORDER_PAGE], "opened %s" % s.orders())
    s.xdotool("keydown", "a")
    time.sleep(1.5)
    s.xdotool("keyup", "a")
    wait_for("the second order", lambda: len(s.orders()) >= 2)
    time.sleep(0.5)
    check(len(s.orders()) == 2, "auto-repeat opened the page %d times" % (len(s.orders()) - 1))


def case_second(s):
    first = s.game()
    s.window("Quillmere")
    second = s.game()
    _, x, y, w, h = s.window("警告")
    img = s.shot()
    dark = sum(sum(img.getpixel((x + i, y + j))) < 3 * 128 for i in range(w) for j in range(h))
    check(dark > 200, "the warning box shows no text")
    check(first.poll() is None, "the first copy ended")
    s.xdotool("key", "Return")
    status = second.wait(timeout=30)
    check(status == 0, "second copy ended with %d: %s" % (status, second.stderr.read()))
    time.sleep(0.5)
    check(first.poll() is None, "the first copy ended with the second")


def case_close(s):
    proc, main = start_game(s)
    wait_for("the first pair", lambda: column_cells(s.shot(), main, 3))
    s.xdotool("keydown", "KP_Down")
    time.sleep(2)
    s.run(s.args.close, main[0])
    try:
        status = proc.wait(timeout=30)
    finally:
        s.xdotool("keyup", "KP_Down")
    errors = proc.stderr.read()
    check(status == 0, "closed with status %d: %s" % (status, errors))
    check("X Error" not in errors, errors)


def case_destroy(s):
    """A window destroyed by another program, not closed through the window manager, ends the
    game as a close does: at the start screen and during a fast drop."""
    for playing in (False, True):
        if playing:
            proc, main = start_game(s)
            wait_for("the first pair", lambda: column_cells(s.shot(), main, 3))
            s.xdotool("keydown", "KP_Down")
            time.sleep(1)
        else:
            proc = s.game()
            main = s.window("Quillmere")
        try:
            s.xdotool("windowclose", main[0])
            status = proc.wait(timeout=30)
        finally:
            if playing:  # with the focused window gone, xdotool may find nowhere to send it
                subprocess.run(["xdotool", "keyup", "KP_Down"], env=s.env, capture_output=True)
        errors = proc.stderr.read()
        check((status, errors) == (0, ""), "destroyed %s: status %d: %s" % (
            "in play" if playing else "at the start", status, errors))


def case_no_display(s):
    env = dict(s.env)
    env.pop("DISPLAY", None)
    done = subprocess.run([s.args.game], env=env, capture_output=True, text=True, timeout=30)
    check(done.returncode == 1, "status %d" % done.returncode)
    lines = done.stderr.strip().splitlines()
    check(len(lines) == 1 and "display" in lines[0], "stderr: %r" % done.stderr)


CASES = {"window": case_window, "play": case_play, "arrows": case_arrows, "promo": case_promo,
         "second": case_second, "close": case_close, "destroy": case_destroy,
         "no-display": case_no_display, "hidpi": case_hidpi}
SCREENS = {"hidpi": (2560, 1600)}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("case", choices=sorted(CASES))
    ap.add_argument("--game", required=True)
    ap.add_argument("--close", required=True)
    ap.add_argument("--assets", required=True)
    args = ap.parse_args()
    missing = [t for t in ("Xvfb", "xdotool", "xwininfo", "import") if not shutil.which(t)]
    if missing or Image is None:
        print("skipped: missing " + (", ".join(missing) or "python3-pil"))
        return SKIP
    with Session(args, SCREENS.get(args.case, SCREEN)) as s:
        try:
            CASES[args.case](s)
        except Failure as failure:
            print("FAILED %s: %s" % (args.case, failure))
            return 1
    print("passed " + args.case)
    return 0


if __name__ == "__main__":
    sys.exit(main())
