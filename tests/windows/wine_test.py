#!/usr/bin/python3
"""The Windows build under Wine: the core tests, the simulator byte for byte against the Linux
one, and the game on Xvfb with a window manager, checked by pixels as tests/sdl/e2e.py does.

    wine_test.py WINDOWS_BUILD LINUX_BUILD      (with WINEPREFIX and WINEDEBUG set: make)

The prefix is made once per build folder. Every Wine run has a time limit, and the Wine server
is ended at the end, so no Wine process outlives the script."""

import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "sdl"))
import e2e  # noqa: E402  the X session, the waits and the cells' pixels

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")


def setup(win, linux):
    global WIN, LINUX, SIM, GAME
    WIN, LINUX = os.path.abspath(win), os.path.abspath(linux)
    SIM, GAME = os.path.join(WIN, "quillmere-sim.exe"), os.path.join(WIN, "quillmere.exe")


def wine(*args, limit=120, **kw):
    return subprocess.run(["timeout", str(limit), "wine", *args], **kw)


def start_wine():
    """The prefix, once; then one Wine server and its services for every run below. They hold
    on to the output they were started with, so they get none: a pipe would never close."""
    quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.makedirs(os.environ["WINEPREFIX"], exist_ok=True)
    subprocess.run(["wineserver", "-p"], check=True, **quiet)
    stamp = os.path.join(os.environ["WINEPREFIX"], "quillmere.stamp")
    if not os.path.exists(stamp):
        subprocess.run(["timeout", "180", "wineboot", "--init"], check=True, **quiet)
        # Wine's dialog font has no Japanese; a Japanese Windows has one.
        wine("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
             "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d", "ipag.ttf,IPAGothic", "/f", check=True,
             **quiet)
        open(stamp, "w").close()
    wine("cmd", "/c", "exit", check=True, **quiet)


def check_programs():
    for exe, subsystem in [(GAME, "Windows GUI"), (SIM, "Windows CUI")]:
        dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], check=True,
                              capture_output=True, text=True).stdout
        e2e.check(subsystem in dump, "%s is not a %s program" % (exe, subsystem))
        dlls = set(re.findall(r"DLL Name: (\S+)", dump.upper()))
        foreign = dlls - {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "SHELL32.DLL", "ADVAPI32.DLL",
                          "OLE32.DLL", "OLEAUT32.DLL", "IMM32.DLL", "SETUPAPI.DLL", "VERSION.DLL",
                          "WINMM.DLL", "MSVCRT.DLL"}
        e2e.check(not foreign, "%s imports %s" % (exe, sorted(foreign)))
    with open(GAME, "rb") as f:
        data = f.read()
    version = re.search(r'project\(Quillmere VERSION (\S+)', open(os.path.join(
        ASSETS, "..", "CMakeLists.txt")).read()).group(1)
    wide = [re.escape(text.encode("utf-16-le")) for text in ("ProductVersion", version)]
    e2e.check(re.search(wide[0] + b"(?:\0\0)+" + wide[1], data), "no version resource")
    with open(os.path.join(ASSETS, "icons", "quillmere-256.png"), "rb") as f:
        e2e.check(f.read() in data, "no icon resource")


def check_tests():
    e2e.check(wine(os.path.join(WIN, "tests", "quillmere_tests.exe"), "--gtest_brief=1",
                   limit=300).returncode == 0, "the core tests failed under Wine")
    sim = "timeout 60 wine " + SIM
    e2e.check(subprocess.run([os.path.join(LINUX, "tests", "quillmere_tests"), "--gtest_brief=1",
                              "--gtest_filter=Sim*"], env=dict(os.environ, QM_SIM=sim)).returncode
              == 0, "the simulator's process tests failed on quillmere-sim.exe")


BOARD = "score 100\n" + "......\n" * 10 + "2.....\n2.....\n233...\n"
CASES = [("resolve", BOARD), ("lock 3 11 4 5", BOARD), ("lock 2 5", BOARD), ("play", "seed 7\n"
         "at 0 click\nat 900 down 100\nat 950 up 100\nat 4000 down 98\nuntil 60000\n")]


def check_sim():
    for args, text in CASES:
        for eol in ["\n", "\r\n"]:
            data = text.replace("\n", eol).encode()
            want = subprocess.run([os.path.join(LINUX, "quillmere-sim")] + args.split(),
                                  input=data, capture_output=True, timeout=60)
            got = wine(SIM, *args.split(), input=data, capture_output=True, limit=60)
            e2e.check((got.returncode, got.stdout, got.stderr) ==
                      (want.returncode, want.stdout, want.stderr),
                      "quillmere-sim.exe %s with %r differs: %r" % (args, eol, got))


class WineSession(e2e.Session):
    def game(self, **env):
        proc = subprocess.Popen(["timeout", "120", "wine", GAME], env=dict(self.env, **env),
                                stderr=subprocess.PIPE, text=True)
        self.procs.append(proc)
        return proc


def keycode(s, keysym):
    table = subprocess.run(["xmodmap", "-pk"], env=s.env, capture_output=True,
                           text=True).stdout
    return re.search(r"^\s*(\d+)\s.*\(%s\)" % keysym, table, re.M).group(1)


def check_game(s):
    start = time.monotonic()
    first = s.game()
    main = s.window("Quillmere")
    print("window after %.1f s" % (time.monotonic() - start), flush=True)
    _, x, y, w, h = main
    e2e.check((w, h) == (320, 400), "client area %dx%d" % (w, h))
    # Centred as Windows frames it: the window manager's frame differs by a few pixels.
    centre = (x + w // 2 - e2e.SCREEN[0] // 2, y + h // 2 - e2e.SCREEN[1] // 2)
    e2e.check(abs(centre[0]) <= 4 and abs(centre[1]) <= 30, "not centred: +%d+%d" % (x, y))
    s.xdotool("key", "Num_Lock")

    def started():
        s.xdotool("key", "Return")
        return e2e.wait_for("the first pair", lambda: e2e.column_cells(s.shot(), main, 3), 2)
    e2e.wait_for("a game started by Enter", lambda: retry(started), 30)
    s.xdotool("key", keycode(s, "KP_4"))
    e2e.wait_for("the pair moved to column 2", lambda: (lambda img: e2e.column_cells(
        img, main, 2) and not e2e.column_cells(img, main, 3))(s.shot()), 10)
    if os.environ.get("QM_WINDOWS_SHOT"):
        s.shot().crop((x - 40, y - 60, x + w + 40, y + h + 30)).save(os.environ["QM_WINDOWS_SHOT"])

    second = s.game()
    _, bx, by, bw, bh = s.window("警告")
    img = s.shot()
    if os.environ.get("QM_WINDOWS_SHOT"):
        img.crop((bx - 10, by - 30, bx + bw + 10, by + bh + 10)).save(
            os.environ["QM_WINDOWS_SHOT"].replace(".png", "-warning.png"))
    dark = sum(sum(img.getpixel((bx + i, by + j))) < 3 * 128 for i in range(bw) for j in range(bh))
    e2e.check(dark > 200, "the warning box shows no text")

    def dismissed():
        s.xdotool("key", "Return")
        return e2e.wait_for("the second copy's end", lambda: second.poll() is not None, 2)
    e2e.wait_for("the warning box dismissed", lambda: retry(dismissed), 30)
    e2e.check(second.returncode == 0, "second copy ended with %d" % second.returncode)
    e2e.check(first.poll() is None, "the first copy ended with the second")
    s.run(os.path.join(LINUX, "tests", "sdl", "qm_wm_close"), main[0])
    status = first.wait(timeout=30)
    e2e.check(status == 0, "closed with status %d: %s" % (status, first.stderr.read()))


def retry(attempt):
    try:
        return attempt()
    except e2e.Failure:
        return False


def main():
    setup(*sys.argv[1:3])
    with WineSession(type("Args", (), {"assets": ASSETS}), e2e.SCREEN) as s:
        # Wine's desktop takes the display of the first program the server runs: this one.
        os.environ.update(s.env)
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            start_wine()
            check_programs()
            check_tests()
            check_sim()
            check_game(s)
        except e2e.Failure as failure:
            print("FAILED windows: %s" % failure)
            return 1
        finally:
            subprocess.run(["timeout", "30", "wineserver", "-k"])
            wm.kill()
            wm.wait()
    print("passed windows")
    return 0


if __name__ == "__main__":
    sys.exit(main())
