#!/usr/bin/python3
"""Measures the Windows game under Wine on Xvfb with openbox: the time from exec to the main
window on screen, with the Wine server already running (warm) and with none (cold: the server
and Wine's services start first), and the CPU of the game and the Wine server over S seconds at
the start screen and in play. Prints medians of several runs; --shot saves the window in play
with its frame (docs/windows.png).

    measure_wine.py WINDOWS_BUILD [--runs N] [--seconds S] [--shot PNG]   (env as for make)"""

import argparse
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [os.path.join(HERE, "..", "sdl"), os.path.join(HERE, "..", "..", "tests", "sdl"),
                os.path.join(HERE, "..", "..", "tests", "windows")]
import e2e  # noqa: E402
import measure_window  # noqa: E402
import wine_test  # noqa: E402


def shown(s):
    return "IsViewable" in subprocess.run(["xwininfo", "-name", "Quillmere"], env=s.env,
                                          capture_output=True, text=True).stdout


def to_window(s):
    """The game's own process (under `timeout`) and the seconds from exec to its window."""
    start = time.monotonic()
    wrapper = s.game()
    while not shown(s):
        time.sleep(0.005)
    took = time.monotonic() - start
    return int(subprocess.run(["pgrep", "-P", str(wrapper.pid)], capture_output=True,
                              text=True).stdout), took


def end(s, pid):
    os.kill(pid, 9)
    while shown(s):
        time.sleep(0.05)
    for proc in s.procs:
        proc.wait()
    s.procs.clear()


def cpu(pids, seconds):
    before = sum(measure_window.cpu_seconds(pid) for pid in pids)
    time.sleep(seconds)
    return (sum(measure_window.cpu_seconds(pid) for pid in pids) - before) / seconds * 100


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("build")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--seconds", type=float, default=10)
    ap.add_argument("--shot")
    args = ap.parse_args()
    wine_test.setup(args.build, args.build)
    results = {"cold": [], "warm": [], "idle": [], "play": []}
    with wine_test.WineSession(type("Args", (), {"assets": wine_test.ASSETS}), e2e.SCREEN) as s:
        os.environ.update(s.env)
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            for _ in range(args.runs):
                subprocess.run(["timeout", "30", "wineserver", "-k"])
                game, cold = to_window(s)
                end(s, game)
                game, warm = to_window(s)
                server = int(subprocess.run(["pgrep", "-n", "wineserver"], capture_output=True,
                                            text=True).stdout)
                time.sleep(1)
                results["cold"].append(cold)
                results["warm"].append(warm)
                results["idle"].append(cpu([game, server], args.seconds))
                main = s.window("Quillmere")
                e2e.wait_for("a game", lambda: s.xdotool("key", "Return") or e2e.column_cells(
                    s.shot(), main, 3), 20)
                results["play"].append(cpu([game, server], args.seconds))
                if args.shot:
                    _, x, y, w, h = main
                    s.shot().crop((x - 10, y - 30, x + w + 10, y + h + 10)).save(args.shot)
                    args.shot = None
                end(s, game)
        finally:
            subprocess.run(["timeout", "30", "wineserver", "-k"])
            wm.kill()
            wm.wait()
    for key, unit in [("cold", "s"), ("warm", "s"), ("idle", "%"), ("play", "%")]:
        print("%-5s median %.3f %s  (runs: %s)" % (key, statistics.median(results[key]), unit,
                                                 " ".join("%.3f" % v for v in results[key])))


if __name__ == "__main__":
    main()
