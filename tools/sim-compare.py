#!/usr/bin/env python3
"""Runs two builds of quillmere-sim on the same inputs and reports every difference in status,
standard output or standard error. The inputs: the examples the project's tests and benchmarks
use, then seeded random positions (resolve and lock) and play scripts, the same on every run.

Usage: tools/sim-compare.py OLD-SIM NEW-SIM [--count 3000] [--seed 1]
"""

import argparse
import random
import subprocess
import sys

EMPTY_ROWS = "......\n" * 10

EXAMPLES = [
    (["resolve"], "# a chain of two steps\nscore 100\nlevel 1\n" + EMPTY_ROWS +
     "2.....\n2.....\n233...\n"),
    (["lock", "2", "11", "8", "1"], "......\n" * 12 + "777...\n"),
    (["lock", "3", "0", "4", "5"],
     "......\n" + "".join("..2...\n" if r % 2 else "..3...\n" for r in range(1, 13))),
    (["lock", "4", "10", "5", "3"], "score 40\n" + "......\n" * 8 +
     "4.....\n45....\n356...\n2367..\n77236.\n"),
    (["play"], "seed 42\nat 0 click\nat 7000 down 98\nuntil 90000\n"),
    (["play"], "draws 2\nat 100 down 98\nat 200 up 98\nuntil 1000\n"),
    (["play"], "draws 2 3 4 5\nat 0 click\nat 10000 close\n"),
    (["play"], "draws 2 3 4 5\nat 0 click\nuntil 10000\n"),
    # Bad input: one line on standard error and status 2.
    (["resolve"], "......\n" * 12),
    (["resolve"], "score 32768\n" + "......\n" * 13),
    (["lock", "0", "5", "2", "3"], "......\n" * 13),
    (["shuffle"], ""),
    (["play"], "at 0 click\n"),
    (["play"], "seed 1\nat 500 click\nat 400 click\n"),
]


def random_board(rng, seven_percent):
    heights = [rng.randint(0, 13) for _ in range(6)]
    rows = []
    for y in range(13):
        row = ""
        for x in range(6):
            filled = y >= 13 - heights[x]
            if not filled:
                row += "."
            else:
                row += "7" if rng.randrange(100) < seven_percent else str(rng.randint(2, 6))
        rows.append(row)
    return rows, heights


def random_position(rng):
    rows, heights = random_board(rng, rng.choice([0, 10, 40, 70]))
    header = ""
    if rng.random() < 0.5:
        header += "score %d\n" % rng.choice([0, rng.randint(0, 400), rng.randint(32600, 32767)])
    if rng.random() < 0.5:
        header += "level %d\n" % rng.randint(0, 3)
    text = header + "".join(r + "\n" for r in rows)
    if rng.random() < 0.5:
        return ["resolve"], text
    column = rng.randint(1, 6)
    row = 12 - heights[column - 1] if rng.random() < 0.8 else rng.randint(0, 12)
    row = max(0, min(12, row))
    if rng.random() < 0.2:
        lower, upper = 8, 1
    else:
        lower, upper = rng.randint(2, 7), rng.randint(1, 7)
    return ["lock", str(column), str(row), str(lower), str(upper)], text


def random_script(rng, seed):
    lines = []
    if rng.randrange(4) == 0:
        lines.append("draws " + " ".join(str(rng.randint(2, 7)) for _ in range(rng.randint(1, 8))))
    else:
        lines.append("seed %d" % seed)
    horizon = rng.randint(2000, 150000)
    events = []
    if rng.randrange(10) > 0:
        events.append((rng.randint(0, 2000), "click"))
    keys = [100, 102, 101, 98]
    for _ in range(rng.randint(0, 300)):
        at = rng.randint(0, horizon)
        what = rng.randrange(100)
        if what < 40:
            events.append((at, "down %d" % rng.choice(keys)))
        elif what < 70:
            events.append((at, "up %d" % rng.choice(keys)))
        elif what < 78:
            end = at + rng.randint(100, 3000)
            events.extend((t, "down 98") for t in range(at, end, 30))
            events.append((end, "up 98"))
        elif what < 84:
            events.append((at, "down 13"))
            events.append((at, "up 13"))
        elif what < 88:
            events.append((at, "down %d" % rng.randint(0, 255)))
        elif what < 92:
            events.append((at, "click"))
        elif what < 95:
            events.append((at, "promoclick"))
        elif what < 99:
            events.append((at, "focus main"))
        elif rng.randrange(3) == 0:
            events.append((at, "close"))
    events.sort(key=lambda e: e[0])  # stable: equal times keep their order
    lines += ["at %d %s" % e for e in events]
    lines.append("until %d" % (horizon + rng.randint(0, 5000)))
    return ["play"], "\n".join(lines) + "\n"


def run(sim, args, text):
    r = subprocess.run([sim] + args, input=text.encode(), capture_output=True, timeout=120)
    return r.returncode, r.stdout, r.stderr


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--count", type=int, default=3000, help="random inputs of each kind")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()

    rng = random.Random(args.seed)
    inputs = list(EXAMPLES)
    inputs += [random_position(rng) for _ in range(args.count)]
    inputs += [random_script(rng, i) for i in range(args.count)]
    differ = 0
    for number, (sim_args, text) in enumerate(inputs):
        if run(args.old, sim_args, text) != run(args.new, sim_args, text):
            differ += 1
            if differ <= 5:
                print("differs: input %d, %s\n%s" % (number, " ".join(sim_args), text[:400]))
    kinds = {}
    for sim_args, _ in inputs:
        kinds[sim_args[0]] = kinds.get(sim_args[0], 0) + 1
    print("%d inputs (%d examples; %s): %d differ" % (
        len(inputs), len(EXAMPLES), ", ".join("%s %d" % k for k in sorted(kinds.items())), differ))
    return 1 if differ else 0


if __name__ == "__main__":
    sys.exit(main())
