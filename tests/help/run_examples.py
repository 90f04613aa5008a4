#!/usr/bin/env python3
"""Runs the example of every help entry in data/help/*.txt through vbsrun.

Every entry starts with a summary and then has the headings 语法, 参数,
返回值, 说明, 示例 and 输出, each alone on its line, in that order and
with text under it. The lines between 示例 and 输出
are the example script; the lines after 输出 are exactly what it prints.
Entries named in skip.txt ("关键字 | 原因") are checked for their headings;
their examples run too, but only to report the ones that have started to
pass. A skipped keyword must name exactly one entry.

usage: run_examples.py VBSRUN HELP_DIR SKIP_FILE
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from vbs_examples import ExampleRun, skip_entries  # noqa: E402

HEADINGS = ["语法", "参数", "返回值", "说明", "示例", "输出"]


def parse_file(path):
    """Returns [(keyword, [text lines])] following data/help/README.md."""
    entries = []
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip("\r")
        if line.startswith("=="):
            parts = line[2:].strip().split(None, 1)
            if len(parts) != 2:
                raise ValueError(f"{path}:{number}: bad entry line")
            entries.append((parts[1].rstrip(), number, []))
            continue
        stripped = line.lstrip("\\")
        if stripped != line and stripped.startswith("=="):
            line = line[1:]
        if entries:
            entries[-1][2].append(line)
        elif line.strip() and not line.startswith("#"):
            raise ValueError(f"{path}:{number}: text before the first entry")
    return entries


def dedent(block):
    while block and not block[0].strip():
        block = block[1:]
    while block and not block[-1].strip():
        block = block[:-1]
    indents = [len(l) - len(l.lstrip(" ")) for l in block if l.strip()]
    cut = min(indents) if indents else 0
    return [l[cut:] if l.strip() else "" for l in block]


def split_entry(text):
    """Returns (problem, code lines, output lines)."""
    positions = []
    start = 0
    for heading in HEADINGS:
        try:
            at = next(i for i in range(start, len(text))
                      if text[i].strip() == heading)
        except StopIteration:
            return f"heading {heading} missing or out of order", None, None
        positions.append(at)
        start = at + 1
    if not any(l.strip() for l in text[:positions[0]]):
        return "no summary before heading 语法", None, None
    for a, b in zip(positions, positions[1:] + [len(text)]):
        if not any(l.strip() for l in text[a + 1:b]):
            return f"nothing under heading {text[a].strip()}", None, None
    code = dedent(text[positions[4] + 1:positions[5]])
    output = dedent(text[positions[5] + 1:])
    return None, code, output


def load_skip(path):
    return {key: reason for _, key, reason in skip_entries(path, "关键字 | 原因")}


def main():
    vbsrun, help_dir, skip_path = sys.argv[1:4]
    skip = load_skip(skip_path)
    run = ExampleRun(vbsrun)
    failures = run.failures
    seen = {}
    files = sorted(n for n in os.listdir(help_dir)
                   if n.endswith(".txt") and not n.startswith("."))
    if not files:
        failures.append(f"no help files in {help_dir}")
    for name in files:
        for keyword, line, text in parse_file(os.path.join(help_dir, name)):
            where = f"{name}:{line} {keyword}"
            seen[keyword] = seen.get(keyword, 0) + 1
            problem, code, expected = split_entry(text)
            if problem:
                failures.append(f"{where}: {problem}")
                continue
            run.check(where, code, expected, keyword in skip)
    for keyword in skip:
        if keyword not in seen:
            failures.append(f"skip.txt names {keyword!r}, which has no entry")
        elif seen[keyword] > 1:
            failures.append(f"skip.txt names {keyword!r}, which several entries share")
    return run.finish()


if __name__ == "__main__":
    sys.exit(main())
