#!/usr/bin/python3
"""Measures the windowed game under Xvfb: CPU use over 10 s at the start screen and over 10 s of
play, the time from exec to the first frame, and resident memory. Prints medians of several runs.

    measure_window.py GAME [--runs N] [--seconds S]"""

import argparse
import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time

TICK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK  # utime, stime


def rss_kib(pid, key="VmRSS"):
    with open("/proc/%d/status" % pid) as f:
        return int(re.search(key + r":\s+(\d+)", f.read()).group(1))


class Display:
    def __enter__(self):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                      "1280x1024x24", "-nolisten", "tcp"], pass_fds=[write],
                                     stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as f:
            self.name = ":" + f.readline().strip()
        return self

    def __exit__(self, *exc):
        self.xvfb.terminate()
        self.xvfb.wait()


def one_run(game, display, seconds):
    tmp = tempfile.mkdtemp(prefix="qm-bench-")
    env = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=tmp, QUILLMERE_DEBUG="1")
    started = time.monotonic()
    proc = subprocess.Popen([game], env=env, stderr=subprocess.PIPE, text=True)
    for line in proc.stderr:
        found = re.search(r"first frame at (\d+) us", line)
        if found:
            break
    first = int(found.group(1)) / 1e6
    time.sleep(1)
    before = cpu_seconds(proc.pid)
    time.sleep(seconds)
    idle = (cpu_seconds(proc.pid) - before) / seconds * 100
    rss_idle = rss_kib(proc.pid)
    subprocess.run(["xdotool", "key", "Return"], env=env, check=True)
    time.sleep(1)
    before = cpu_seconds(proc.pid)
    time.sleep(seconds)
    play = (cpu_seconds(proc.pid) - before) / seconds * 100
    peak = rss_kib(proc.pid, "VmHWM")
    proc.kill()
    proc.wait()
    shutil.rmtree(tmp, ignore_errors=True)
    return {"first frame ms": (first - started) * 1000, "cpu idle %": idle, "cpu play %": play,
            "rss idle MiB": rss_idle / 1024, "rss peak MiB": peak / 1024}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("game")
    ap.add_argument("--runs", type=int, default=3)
    ap.add_argument("--seconds", type=float, default=10)
    args = ap.parse_args()
    results = []
    with Display() as display:
        for _ in range(args.runs):
            results.append(one_run(os.path.abspath(args.game), display.name, args.seconds))
    for key in results[0]:
        values = [r[key] for r in results]
        print("%-15s median %8.2f   (runs: %s)" % (key, statistics.median(values),
                                                   ", ".join("%.2f" % v for v in values)))


if __name__ == "__main__":
    main()
