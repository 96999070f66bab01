#!/usr/bin/python3
"""wine_test.py WINDOWS_BUILD LINUX_BUILD: the Windows programs' imports and resources, the core
tests and the simulator (byte for byte the Linux one's output) under Wine, and the game on Xvfb
with a window manager, checked by pixels as tests/sdl/e2e.py does. Every Wine run has a time
limit, and the Wine server is ended at the end: no Wine process outlives the script."""

import glob, importlib, os, re, subprocess, sys, time, zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "sdl"), os.path.join(HERE, "..", "..", "tools")]
import e2e  # noqa: E402
from e2e import alone, check, wait_for  # noqa: E402

SYSTEM_DLLS = {name + ".DLL" for name in ["KERNEL32", "USER32", "GDI32", "SHELL32", "ADVAPI32",
               "OLE32", "OLEAUT32", "IMM32", "SETUPAPI", "VERSION", "WINMM", "MSVCRT"]}
QUIET = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
if len(sys.argv) != 3:
    sys.exit("usage: wine_test.py WINDOWS_BUILD LINUX_BUILD")
WIN, LINUX = (os.path.abspath(path) for path in sys.argv[1:3])
SIM, GAME = os.path.join(WIN, "quillmere-sim.exe"), os.path.join(WIN, "quillmere.exe")

def wine(*args, limit=120, **kw):
    return subprocess.run(["timeout", str(limit), "wine", *args], **kw)

def start_wine():
    """The prefix once, then one server and its services for every run, with no output of
    ours: they keep what they were started with, and a pipe of ours would never close."""
    os.makedirs(os.environ["WINEPREFIX"], exist_ok=True)
    subprocess.run(["timeout", "30", "wineserver", "-k"], **QUIET)  # one left from elsewhere
    subprocess.run(["wineserver", "-p"], check=True, **QUIET)  # else each run starts its own
    stamp = os.path.join(os.environ["WINEPREFIX"], "quillmere.stamp")
    if not os.path.exists(stamp):
        subprocess.run(["timeout", "180", "wineboot", "--init"], check=True, **QUIET)
        # Wine's dialog font has no Japanese; a Japanese Windows has one.
        wine("reg", "add", r"HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink",
             "/v", "Tahoma", "/t", "REG_MULTI_SZ", "/d", "ipag.ttf,IPAGothic", "/f", check=True,
             **QUIET)
        open(stamp, "w").close()
    wine("cmd", "/c", "exit", check=True, **QUIET)

def check_programs():
    for exe, subsystem in [(GAME, "Windows GUI"), (SIM, "Windows CUI")]:
        dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], check=True,
                              capture_output=True, text=True).stdout
        foreign = set(re.findall(r"DLL NAME: (\S+)", dump.upper())) - SYSTEM_DLLS
        check(subsystem in dump and not foreign, "%s: %s" % (exe, sorted(foreign)))
    [package] = glob.glob(os.path.join(WIN, "quillmere-*-windows-x64.zip"))
    name = os.path.basename(package)[:-4]
    check({name + "/" + m for m in ["quillmere.exe", "quillmere-sim.exe", "README.txt",
           "LICENSE.txt", "licences/SDL2.txt"]} <= set(zipfile.ZipFile(package).namelist()), package)
    data, icon = (open(path, "rb").read() for path in
                  (GAME, os.path.join(e2e.ASSETS, "icons", "quillmere-256.png")))
    wide = [re.escape(t.encode("utf-16-le")) for t in ("ProductVersion", name.split("-")[1])]
    check(icon in data and re.search(wide[0] + b"(?:\0\0)+" + wide[1], data),
          "quillmere.exe lacks its icon or version")

def check_tests():
    check(wine(os.path.join(WIN, "tests", "quillmere_tests.exe"), "--gtest_brief=1",
               limit=300).returncode == 0, "the core tests failed under Wine")
    # The process tests on the .exe, but for the faults of a Unix shell: Wine cannot start
    # under `ulimit -v`, and a directory as standard input is a different error on Windows.
    env = dict(os.environ, QM_SIM="timeout 60 wine " + SIM)
    check(subprocess.run([os.path.join(LINUX, "tests", "quillmere_tests"), "--gtest_brief=1",
                          "--gtest_filter=Sim*:-SimFaults.EachGives*"], env=env).returncode == 0,
          "the simulator's process tests failed on quillmere-sim.exe")
    for args, text in importlib.import_module("sim-compare").EXAMPLES:  # the project's examples
        for data in [text.encode(), text.replace("\n", "\r\n").encode()]:
            want = subprocess.run([os.path.join(LINUX, "quillmere-sim")] + args, input=data,
                                  capture_output=True, timeout=60)
            got = wine(SIM, *args, input=data, capture_output=True, limit=60)
            check((got.returncode, got.stdout, got.stderr) ==
                  (want.returncode, want.stdout, want.stderr), "sim.exe %s: %r" % (args, got))

def check_game(s):
    # Keypad keys by code: by name, xdotool toggles Num Lock around them.
    codes = {name: code for code, name in reversed(
        re.findall(r"^\s*(\d+)\s.*\((KP_[24])\)", s.run("xmodmap", "-pk"), re.M))}
    first, main = e2e.start(s, num_lock=False)
    _, x, y, w, h = main
    # Centred as Windows frames it, give or take the window manager's frame.
    check((w, h) == (320, 400) and abs(x + w // 2 - e2e.SCREEN[0] // 2) <= 4 and
          abs(y + h // 2 - e2e.SCREEN[1] // 2) <= 30, "client area %dx%d+%d+%d" % main[1:])
    e2e.check_num_lock(s.shot, main, lambda: s.xdotool("key", codes["KP_4"]),
                       lambda: s.xdotool("key", "Num_Lock", codes["KP_4"]))
    s.xdotool("key", "Right")  # the dedicated arrows, the second binding
    wait_for("the pair back in column 3", lambda: alone(s.shot(), main, 3, 2), 10)
    with s.holding(codes["KP_2"]):  # to the game's end, where the promotional window shows
        _, px, py, pw, ph = s.window("Quillmere for Win", 120)
    # 120 x 154 in a tool window's frame, which Wine draws itself; 85 % across and a third down.
    check(120 < pw < 130 and 154 < ph < 185 and 250 < px - x < 290 and 90 < py - y < 150,
          "promotional window %dx%d at +%d+%d" % (pw, ph, px - x, py - y))
    s.xdotool("key", "space")  # ShellExecute, then Wine's browser launcher, then xdg-open
    wait_for("the order page", s.orders, 20)
    time.sleep(0.5)
    check(s.orders() == [e2e.ORDER_PAGE], "opened %s" % s.orders())
    e2e.case_second(s, None, first)
    s.run(os.path.join(LINUX, "tests", "sdl", "qm_wm_close"), main[0])
    status = first.wait(timeout=30)
    check(status == 0, "closed with status %d: %s" % (status, first.stderr.read()))

def main():
    with e2e.Session(["timeout", "120", "wine", GAME]) as s:
        os.environ.update(s.env)  # Wine's desktop takes the display of the server's first program
        wm = subprocess.Popen(["openbox"], **QUIET)
        try:
            return e2e.outcome("windows", start_wine, check_programs, check_tests,
                               lambda: check_game(s))
        finally:
            subprocess.run(["timeout", "30", "wineserver", "-k"])
            wm.kill()
            wm.wait()

if __name__ == "__main__":
    sys.exit(main())
