#!/usr/bin/python3
"""e2e.py CASE --game PATH --close PATH --assets DIR: the real program under Xvfb, driven with
xdotool, checked by screenshots' pixels; exits 77 (skipped) without the X tools. No durations
are asserted. The other ports' drivers share its helpers."""

import argparse, contextlib, os, re, shutil, subprocess, sys, tempfile, time

try:
    from PIL import Image
except ImportError:
    Image = None

ORDER_PAGE = "https://www.example.com/quillmere/order"
SCREEN = (1280, 1024)
ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
# The cells' fill colours, kinds 2 to 7.
FILLS = [(240, 223, 144), (240, 151, 144), (239, 151, 240), (128, 159, 255), (160, 223, 128),
         (144, 207, 240)]
FIELD = [(5, 5), (100, 100), (300, 200), (37, 211), (319, 399)]  # background points to compare

def check(condition, message):
    if not condition:
        raise AssertionError(message)

def wait_for(what, predicate, limit=60.0):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if value := predicate():
            return value
        time.sleep(0.1)
    raise AssertionError("gave up waiting for " + what)

def near(a, b, slack=6):
    return all(abs(x - y) <= slack for x, y in zip(a, b))

def asset(name):
    return Image.open(os.path.join(ASSETS, name + ".bmp")).convert("RGB")

class Session:
    """One Xvfb with a stub browser, a private runtime directory and the game's processes."""

    def __init__(self, command, screen=SCREEN):
        self.command, self.screen, self.procs = command, screen, []
        self.tmp = tempfile.mkdtemp(prefix="qm-e2e-")
        self.opened, bindir = os.path.join(self.tmp, "opened.txt"), os.path.join(self.tmp, "bin")
        os.mkdir(bindir)
        with open(os.path.join(bindir, "xdg-open"), "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$*" >> "%s"\n' % self.opened)
        os.chmod(f.name, 0o755)
        # Leak checks stay with the unit tests: the X libraries keep allocations for the life
        # of the process, and the game ends with _exit, which skips the check anyway.
        self.env = {k: v for k, v in dict(
            os.environ, XDG_RUNTIME_DIR=self.tmp, PATH=bindir + ":" + os.environ["PATH"],
            ASAN_OPTIONS="detect_leaks=0", LC_ALL="C.UTF-8").items()
            if k not in ("SDL_VIDEODRIVER", "WAYLAND_DISPLAY")}

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
        self.procs.append(subprocess.Popen(self.command, env=dict(self.env, **env),
                                           stderr=subprocess.PIPE, text=True))
        return self.procs[-1]

    def run(self, *cmd):
        return subprocess.run(cmd, env=self.env, check=True, capture_output=True, text=True).stdout

    def xdotool(self, *words):
        self.run("xdotool", *words)

    @contextlib.contextmanager
    def holding(self, key):
        self.xdotool("keydown", key)
        try:
            yield
        finally:  # with the focused window gone, xdotool may find nowhere to send it
            subprocess.run(["xdotool", "keyup", key], env=self.env, capture_output=True)

    def press_until(self, key, what, done, limit=30):
        """Presses the key until done(): a key sent before the window has the focus is lost."""
        wait_for(what, lambda: self.xdotool("key", key) or any(
            done() or time.sleep(0.1) for _ in range(20)), limit)

    def windows(self):
        """Mapped top-level windows: {title: (id, x, y, w, h)}."""
        found = {}
        for line in self.run("xwininfo", "-root", "-tree").splitlines():
            m = re.match(r'\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x(\d+)\+-?\d+\+-?\d+\s+'
                         r'\+(-?\d+)\+(-?\d+)', line)
            if m and "IsViewable" in self.run("xwininfo", "-id", m.group(1)):
                w, h, x, y = (int(m.group(i)) for i in range(3, 7))
                found[m.group(2)] = (m.group(1), x, y, w, h)
        return found

    def window(self, title, limit=60.0):
        def found():
            for proc in (p for p in self.procs if p.poll() not in (None, 0)):
                check(False, "the game ended with %d: %s" % (proc.returncode, proc.stderr.read()))
            return self.windows().get(title)
        try:
            return wait_for("window " + title, found, limit)
        except AssertionError as failure:
            raise AssertionError("%s; shown: %s" % (failure, sorted(self.windows()))) from None

    def shot(self):
        path = os.path.join(self.tmp, "shot.png")
        self.run("import", "-window", "root", path)
        return Image.open(path).convert("RGB")

    def orders(self):
        return open(self.opened).read().splitlines() if os.path.exists(self.opened) else []

def shows_field(img, left, top, scale=1):
    """The start screen's background, each pixel as scale x scale."""
    return all(img.getpixel((left + scale * x + d, top + scale * y + d)) ==
               asset("window").getpixel((x, y)) for x, y in FIELD for d in {0, scale - 1})

def cell_fill(img, main, column, row):
    """The fill colour of the cell at (column, row) when one shows there, else None."""
    _, left, top, _, _ = main
    pixel = img.getpixel((left + 63 + 24 * column + 3, top + 20 + 24 * row + 3))
    return next((f for f in FILLS if near(pixel, f)), None)

def column_cells(img, main, column):
    return [row for row in range(1, 13) if cell_fill(img, main, column, row)]

def alone(img, main, column, other):
    return column_cells(img, main, column) and not column_cells(img, main, other)

def pair_in(img, main, column):
    """The falling pair's (upper, lower) fills when it stands alone in that column, else None."""
    rows = column_cells(img, main, column)
    return (cell_fill(img, main, column, rows[0]), cell_fill(img, main, column, rows[1])) if (
        len(rows) == 2 and rows[0] + 1 == rows[1] < 12) else None

def check_num_lock(shot, main, press_off, press_on):
    """Keypad 4 moves the pair from column 3 to 2 only once Num Lock is on."""
    press_off()
    time.sleep(0.5)
    check(alone(shot(), main, 3, 2), "keypad 4 without Num Lock moved the pair")
    press_on()
    wait_for("keypad 4 with Num Lock to move the pair", lambda: alone(shot(), main, 2, 3), 10)

def outcome(name, *steps):
    """Runs the steps; the exit status, with one line that says how they went."""
    try:
        for step in steps:
            step()
    except AssertionError as failure:
        print("FAILED %s: %s" % (name, failure))
        return 1
    print("passed " + name)
    return 0

def start(s, num_lock=True):
    """A game started with Enter, its first pair shown; the process and the main window."""
    proc, main = s.game(), s.window("Quillmere")
    if num_lock:
        s.xdotool("key", "Num_Lock")
    s.press_until("Return", "the first pair in column 3", lambda: pair_in(s.shot(), main, 3))
    return proc, main

def case_window(s, args, scale=1):
    s.game(**({"GDK_SCALE": str(scale)} if scale > 1 else {}))
    _, x, y, w, h = main = s.window("Quillmere")
    check((w, h) == (320 * scale, 400 * scale), "client area %dx%d at scale %d" % (w, h, scale))
    check((x, y) == ((s.screen[0] - w) // 2, (s.screen[1] - h) // 2), "not centred: %s" % (main,))
    img = s.shot()
    check(shows_field(img, x, y, scale), "the background at scale %d" % scale)
    yellow = sum(img.getpixel((x + scale * i, y + scale * j)) == (255, 255, 0)
                 for i in range(90, 200) for j in range(372, 390))
    check(yellow > 20, "no yellow score")

def case_play(s, args, keypad=True):
    """With Num Lock the keypad plays; without, the keypad does nothing and the arrows play."""
    _, main = start(s, num_lock=keypad)
    left, swap, right, drop = (["KP_Left", "KP_Begin", "KP_Right", "KP_Down"] if keypad else
                               ["Left", "Up", "Right", "Down"])
    if not keypad:
        s.xdotool("key", "KP_Left", "KP_Right", "KP_Begin", "KP_Left")
        with s.holding("KP_Down"):
            time.sleep(1)
            img = s.shot()
        check(pair_in(img, main, 3) and not any(column_cells(img, main, c) for c in (1, 2, 4, 5, 6)),
              "the keypad without Num Lock moved or dropped the pair")
    s.xdotool("key", left)
    upper, lower = wait_for(left + " to move the pair", lambda: pair_in(s.shot(), main, 2), 10)
    s.xdotool("key", swap)
    wait_for(swap + " to swap the pair", lambda: pair_in(s.shot(), main, 2) == (lower, upper), 10)
    s.xdotool("key", right, right)
    wait_for(right + " to move the pair", lambda: pair_in(s.shot(), main, 4), 10)
    with s.holding(drop):  # at its own pace the pair needs seconds more to reach the floor
        wait_for(drop + " to drop the pair fast",
                 lambda: column_cells(s.shot(), main, 4)[-2:] == [11, 12], limit=2.5)

def case_promo(s, args):
    _, (_, mx, my, _, _) = start(s)
    with s.holding("KP_Down"):
        _, x, y, w, h = s.window("Quillmere for Win", limit=180)
        time.sleep(1.5)  # the held key's auto-repeat now reaches the promotional window
    check((w, h, x, y) == (120, 154, mx + 272, my + 133), "promo %dx%d+%d+%d" % (w, h, x, y))
    time.sleep(0.5)
    check(s.orders() == [], "a key held from play opened the page: %s" % s.orders())
    check(s.shot().getpixel((x + 60, y + 80)) == asset("promo").getpixel((60, 80)), "picture")
    s.xdotool("key", "space")
    wait_for("the order page", s.orders)
    check(s.orders() == [ORDER_PAGE], "opened %s" % s.orders())
    with s.holding("a"):
        time.sleep(1.5)
    wait_for("the second order", lambda: len(s.orders()) >= 2)
    time.sleep(0.5)
    check(len(s.orders()) == 2, "auto-repeat opened the page %d times" % (len(s.orders()) - 1))

def case_second(s, args, first=None):
    first, _ = first or s.game(), s.window("Quillmere")
    second = s.game()
    _, x, y, w, h = s.window("警告")
    img = s.shot()
    dark = sum(sum(img.getpixel((x + i, y + j))) < 3 * 128 for i in range(w) for j in range(h))
    check(dark > 200 and first.poll() is None, "no text in the warning box, or the first copy ended")
    s.press_until("Return", "the second copy's end", lambda: second.poll() is not None)
    check(second.returncode == 0, "the second copy: %d %s" % (second.returncode, second.stderr.read()))
    time.sleep(0.5)
    check(first.poll() is None, "the first copy ended with the second")

def ended_by(s, close, playing):
    """The game's stderr once close(window id) ended it with status 0, at the start screen or
    during a fast drop."""
    proc, main = start(s) if playing else (s.game(), s.window("Quillmere"))
    with s.holding("KP_Down") if playing else contextlib.nullcontext():
        time.sleep(2 if playing else 0)
        close(main[0])
        status = proc.wait(timeout=30)
    errors = proc.stderr.read()
    check(status == 0, "ended (in play: %s) with status %d: %s" % (playing, status, errors))
    return errors

def case_close(s, args):
    errors = ended_by(s, lambda window: s.run(args.close, window), playing=True)
    check("X Error" not in errors, errors)

def case_destroy(s, args):
    """A window destroyed by another program ends the game as a close by the window manager."""
    for playing in (False, True):
        errors = ended_by(s, lambda window: s.xdotool("windowclose", window), playing)
        check(errors == "", "destroyed: " + errors)

def case_no_display(s, args):
    env = {k: v for k, v in s.env.items() if k != "DISPLAY"}
    done = subprocess.run([args.game], env=env, capture_output=True, text=True, timeout=30)
    lines = done.stderr.strip().splitlines()
    check(done.returncode == 1 and len(lines) == 1 and "display" in lines[0],
          "status %d, stderr: %r" % (done.returncode, done.stderr))

CASES = dict({n[5:].replace("_", "-"): f for n, f in globals().items() if n.startswith("case_")},
             hidpi=lambda s, args: case_window(s, args, scale=2),
             arrows=lambda s, args: case_play(s, args, keypad=False))

def main():
    global ASSETS
    ap = argparse.ArgumentParser()
    ap.add_argument("case", choices=sorted(CASES))
    for option in ("--game", "--close", "--assets"):
        ap.add_argument(option, required=True)
    args = ap.parse_args()
    ASSETS = args.assets
    missing = [t for t in ("Xvfb", "xdotool", "xwininfo", "import") if not shutil.which(t)]
    if missing or Image is None:
        print("skipped: missing " + (", ".join(missing) or "python3-pil"))
        return 77
    with Session([args.game], (2560, 1600) if args.case == "hidpi" else SCREEN) as s:
        return outcome(args.case, lambda: CASES[args.case](s, args))

if __name__ == "__main__":
    sys.exit(main())
