#!/usr/bin/env python3
"""Mutation testing of the core: how many single-operator faults do the core tests catch?

Each mutant changes one operator in one line of src/game, src/flow, src/input, src/host (not
host/sdl), src/sim or src/ui; it is built in a scratch copy of the tree and the core test binary
runs against it. A failing run or one that outlives its timeout kills the mutant; a mutant that
does not compile is left out and the next one of the sample takes its place. Survivors listed in
tools/mutate-equivalent.txt (mutants that no test can tell from the original) are reported apart.

Usage: tools/mutate.py [--sample 60] [--seed 1] [--work DIR] [--timeout 60] [--list]
"""

import argparse
import os
import random
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOTS = ["src/game", "src/flow", "src/input", "src/host", "src/sim", "src/ui"]
SKIP = ["src/host/sdl"]

# (pattern, replacement): binary operators stand between spaces in the formatted code, which
# keeps template brackets, shifts and arrows out.
OPERATORS = [
    (r"(?<= )<(?= )", "<="),
    (r"(?<= )<=(?= )", "<"),
    (r"(?<= )>(?= )", ">="),
    (r"(?<= )>=(?= )", ">"),
    (r"(?<= )==(?= )", "!="),
    (r"(?<= )!=(?= )", "=="),
    (r"(?<= )&&(?= )", "||"),
    (r"(?<= )\|\|(?= )", "&&"),
    (r"(?<= )\+ 1(?![\w.'])", "+ 2"),
    (r"(?<= )- 1(?![\w.'])", "- 2"),
    (r"\btrue\b", "false"),
    (r"\bfalse\b", "true"),
]


def code_part(line):
    """The line without its comment and string literals blanked out, same length."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out).ljust(len(line))


def sources(repo):
    for root in ROOTS:
        for dirpath, dirnames, filenames in os.walk(os.path.join(repo, root)):
            rel = os.path.relpath(dirpath, repo)
            dirnames[:] = sorted(d for d in dirnames if os.path.join(rel, d) not in SKIP)
            for name in sorted(filenames):
                if name.endswith((".cpp", ".h")):
                    yield os.path.join(rel, name)


def mutants(repo):
    found = []
    for path in sorted(set(sources(repo))):
        with open(os.path.join(repo, path), encoding="utf-8") as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            if line.lstrip().startswith("#"):
                continue
            code = code_part(line)
            for pattern, replacement in OPERATORS:
                for match in re.finditer(pattern, code):
                    mutated = line[: match.start()] + replacement + line[match.end() :]
                    found.append((path, number, match.group(0), replacement, mutated))
    return found


def sync_tree(repo, work, build_dir):
    """Copies the tracked and new files into the scratch tree, touching only what changed, so
    that its build folder stays valid from one run to the next."""
    listed = subprocess.run(
        ["git", "ls-files", "-co", "--exclude-standard"], cwd=repo, check=True,
        capture_output=True, text=True).stdout.split("\n")
    wanted = {rel for rel in listed if rel and os.path.isfile(os.path.join(repo, rel))}
    for dirpath, dirnames, filenames in os.walk(work):
        dirnames[:] = [d for d in dirnames if os.path.join(dirpath, d) != build_dir]
        for name in filenames:  # a file deleted from the tree goes from the copy too
            path = os.path.join(dirpath, name)
            if os.path.relpath(path, work) not in wanted:
                os.remove(path)
    for rel in wanted:
        src, dst = os.path.join(repo, rel), os.path.join(work, rel)
        with open(src, "rb") as f:
            data = f.read()
        if os.path.exists(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        with open(dst, "wb") as f:
            f.write(data)


def build(work, build_dir, jobs):
    r = subprocess.run(["cmake", "--build", build_dir, "-j", str(jobs), "--target",
                        "quillmere_tests"], cwd=work, capture_output=True, text=True)
    return r.returncode == 0, r.stdout + r.stderr


def limit_memory():
    # A mutant that grows a list without end fails instead of taking the machine's memory.
    resource.setrlimit(resource.RLIMIT_AS, (4 << 30, 4 << 30))


def run_tests(build_dir, timeout):
    """True when the tests pass (the mutant survives)."""
    binary = os.path.join(build_dir, "tests", "quillmere_tests")
    p = subprocess.Popen([binary, "--gtest_brief=1"], stdout=subprocess.DEVNULL,
                         stderr=subprocess.DEVNULL, start_new_session=True,
                         preexec_fn=limit_memory)
    try:
        return p.wait(timeout=timeout) == 0
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        p.wait()
        return False


def equivalents(repo):
    """(path, mutated line) of the mutants known to be equivalent, from tools/mutate-equivalent.txt."""
    listed = set()
    path = os.path.join(repo, "tools", "mutate-equivalent.txt")
    if os.path.exists(path):
        for line in open(path, encoding="utf-8"):
            if line.strip() and not line.startswith("#"):
                where, _, text = line.partition(" | ")
                listed.add((where.strip(), text.strip()))
    return listed


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--sample", type=int, default=60)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", default=os.path.join(tempfile.gettempdir(), "quillmere-mutate"))
    parser.add_argument("--timeout", type=float, default=60, help="seconds per test run")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--list", action="store_true", help="only list the mutation sites")
    args = parser.parse_args()

    repo = subprocess.run(["git", "rev-parse", "--show-toplevel"], check=True,
                          capture_output=True, text=True).stdout.strip()
    candidates = mutants(repo)
    if args.list:
        for path, number, old, new, _ in candidates:
            print(f"{path}:{number}: {old} -> {new}")
        print(f"{len(candidates)} sites")
        return 0

    work = os.path.abspath(args.work)
    build_dir = os.path.join(work, "build-mutate")
    os.makedirs(work, exist_ok=True)
    sync_tree(repo, work, build_dir)
    if not os.path.exists(os.path.join(build_dir, "build.ninja")):
        subprocess.run(["cmake", "-S", work, "-B", build_dir, "-G", "Ninja", "-DQM_BENCH=OFF",
                        "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O1"], check=True,
                       stdout=subprocess.DEVNULL)
    ok, log = build(work, build_dir, args.jobs)
    if not ok or not run_tests(build_dir, args.timeout):
        print("the unmutated tree does not build or its tests fail:\n" + log[-3000:])
        return 1

    order = random.Random(args.seed).sample(candidates, len(candidates))
    known = equivalents(repo)
    killed, tried, stillborn, survivors, equivalents_seen = 0, 0, 0, [], []
    started = time.time()
    for path, number, old, new, mutated in order:
        if tried == args.sample:
            break
        target = os.path.join(work, path)
        with open(target, encoding="utf-8") as f:
            original = f.read()
        lines = original.split("\n")
        lines[number - 1] = mutated
        try:
            with open(target, "w", encoding="utf-8") as f:
                f.write("\n".join(lines))
            ok, _ = build(work, build_dir, args.jobs)
            if not ok:
                stillborn += 1
                continue
            tried += 1
            survived = run_tests(build_dir, args.timeout)
        finally:
            with open(target, "w", encoding="utf-8") as f:
                f.write(original)
        label = f"{path}:{number}: {old} -> {new}"
        equivalent = survived and (path, mutated.strip()) in known
        if equivalent:
            equivalents_seen.append(f"{label}    {mutated.strip()}")
        elif survived:
            survivors.append(f"{label}    {mutated.strip()}")
        else:
            killed += 1
        verdict = "equivalent" if equivalent else "SURVIVED" if survived else "killed"
        print(f"[{tried}/{args.sample}] {verdict:10} {label}", flush=True)
    build(work, build_dir, args.jobs)  # leave the scratch build unmutated

    others = tried - len(equivalents_seen)
    print(f"\nseed {args.seed}: killed {killed}/{tried} ({100.0 * killed / max(tried, 1):.0f} %); "
          f"without the {len(equivalents_seen)} known equivalent: {killed}/{others} "
          f"({100.0 * killed / max(others, 1):.0f} %); {stillborn} did not build, "
          f"{len(candidates)} sites, {time.time() - started:.0f} s")
    for title, found in (("survivors", survivors), ("known equivalent", equivalents_seen)):
        if found:
            print(title + ":")
            for s in found:
                print("  " + s)
    return 0


if __name__ == "__main__":
    sys.exit(main())
