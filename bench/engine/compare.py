#!/usr/bin/env python3
"""Times each benchmark under vbsrun, Lua 5.4 and Python 3 in the same run
and prints the ratios. Times are CPU seconds (user + system) of the child,
best of the repeats, so a busy machine skews them less than wall time. Goal: every vbs/py ratio below 1, every vbs/lua
ratio at most 2.

usage: bench/engine/compare.py [path/to/vbsrun] [repeats] [name...]
"""
import glob
import os
import resource
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# Every NAME.vbs here has NAME.lua and NAME.py doing the same work.
NAMES = sorted(os.path.basename(p)[:-4] for p in glob.glob(os.path.join(HERE, "*.vbs")))


def best_time(cmd, repeats):
    best = None
    out = None
    for _ in range(repeats):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        result = subprocess.run(cmd, cwd=HERE, capture_output=True, text=True)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        elapsed = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        if result.returncode != 0:
            raise SystemExit(f"{' '.join(cmd)} failed: {result.stderr.strip()}")
        out = result.stdout.strip()
        best = elapsed if best is None else min(best, elapsed)
    return best, out


def main():
    vbsrun = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "build-engine", "program", "vbsrun")
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    lua = shutil.which("lua5.4")
    print(f"{'benchmark':<10} {'vbsrun':>8} {'lua5.4':>8} {'python3':>8} {'vbs/lua':>8} {'vbs/py':>8}")
    failed = False
    names = sys.argv[3:] or NAMES
    for name in names:
        t_vbs, _ = best_time([vbsrun, f"{name}.vbs"], repeats)
        t_py, _ = best_time([sys.executable, f"{name}.py"], repeats)
        t_lua = best_time([lua, f"{name}.lua"], repeats)[0] if lua else float("nan")
        r_lua, r_py = t_vbs / t_lua, t_vbs / t_py
        mark = "" if (r_py < 1 and (r_lua <= 2 or not lua)) else "  <- over target"
        failed |= bool(mark)
        print(f"{name:<10} {t_vbs:8.3f} {t_lua:8.3f} {t_py:8.3f} {r_lua:8.2f} {r_py:8.2f}{mark}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
