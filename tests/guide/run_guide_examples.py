#!/usr/bin/env python3
"""Runs every example of the VBScript guide through vbsrun.

Every page named in [FILES] of guide.hhp is read. An example is a
<pre class="example"> block; right after it come <p>输出：</p> and a
<pre class="output"> block holding exactly what the example prints. Both
blocks are HTML-escaped (&amp; &lt; &gt;) and unescaped before use.

skip.txt lists examples that need objects the engine does not have yet,
one per line: "页面 编号 | 原因", the number counting the examples of that
page from 1. Skipped examples run too, only to report the ones that have
started to pass; a skip line that names no example fails the test.
Every page must also appear in toc.hhc, and every page, the contents and
the index must fit in GBK, which the build converts them to.

usage: run_guide_examples.py GUIDE_DIR VBSRUN [SKIP_FILE]
"""
import html
import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from vbs_examples import ExampleRun, skip_entries  # noqa: E402

BLOCK = re.compile(
    r'<pre class="example">(.*?)</pre>\s*'
    r'(?:<p>输出：</p>\s*<pre class="output">(.*?)</pre>)?', re.S)
RAW = re.compile(r'<(?!/?(?:b|i|em|strong)>)|&(?!(?:amp|lt|gt|quot|#\d+);)')


def page_files(hhp):
    """Returns the names listed under [FILES] in the project file."""
    names = []
    in_files = False
    with open(hhp, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                in_files = line.upper() == "[FILES]"
            elif in_files and line:
                names.append(line)
    return names


def block_lines(text):
    text = html.unescape(text)
    if text.startswith("\n"):  # HTML drops a newline right after <pre>
        text = text[1:]
    return text.replace("\r\n", "\n").split("\n")


def examples(page):
    """Returns [(number, problem, code lines, output lines)] for a page."""
    found = []
    for number, match in enumerate(BLOCK.finditer(page), 1):
        code, output = match.group(1), match.group(2)
        problem = None
        if output is None:
            problem = 'no <p>输出：</p> and <pre class="output"> after it'
        else:
            for name, raw in (("example", code), ("output", output)):
                bad = RAW.search(raw)
                if bad:
                    problem = f"unescaped {bad.group(0)!r} in the {name} block"
                    break
        found.append((number, problem, block_lines(code),
                      block_lines(output) if output is not None else None))
    return found


def load_skip(path):
    expected = "页面 编号 | 原因"
    skip = {}
    for number, where, reason in skip_entries(path, expected):
        parts = where.split()
        if len(parts) != 2 or not parts[1].isdigit():
            raise ValueError(f"{path}:{number}: expected '{expected}'")
        skip[(parts[0], int(parts[1]))] = (number, reason)
    return skip


def main():
    guide_dir, vbsrun = sys.argv[1:3]
    skip_path = (sys.argv[3] if len(sys.argv) > 3 else
                 os.path.join(os.path.dirname(os.path.abspath(__file__)), "skip.txt"))
    skip = load_skip(skip_path)
    run = ExampleRun(vbsrun)
    failures = run.failures
    seen = set()
    pages = [n for n in page_files(os.path.join(guide_dir, "guide.hhp"))
             if n.lower().endswith((".html", ".htm"))]
    if not pages:
        failures.append("guide.hhp lists no pages")
    with open(os.path.join(guide_dir, "toc.hhc"), encoding="utf-8") as f:
        toc = f.read()
    listed = set(re.findall(r'<param name="Local" value="([^"]*)">', toc))
    for name in ["toc.hhc", "index.hhk"] + pages:
        path = os.path.join(guide_dir, name)
        if not os.path.exists(path):
            failures.append(f"{name}: listed in guide.hhp but missing")
            continue
        with open(path, encoding="utf-8") as f:
            text = f.read()
        for line_no, line in enumerate(text.split("\n"), 1):
            try:
                line.encode("gbk")
            except UnicodeEncodeError as e:
                failures.append(f"{name}:{line_no}: {line[e.start]!r} has no GBK code")
    for name in pages:
        path = os.path.join(guide_dir, name)
        if name not in listed:
            failures.append(f"{name}: not in toc.hhc")
        if not os.path.exists(path):
            continue
        with open(path, encoding="utf-8") as f:
            page = f.read()
        for number, problem, code, expected in examples(page):
            where = f"{name} example {number}"
            seen.add((name, number))
            if problem:
                failures.append(f"{where}: {problem}")
                continue
            run.check(where, code, expected, (name, number) in skip)
    for (name, number), (line_no, _) in sorted(skip.items()):
        if (name, number) not in seen:
            failures.append(f"skip.txt:{line_no}: {name} has no example {number}")
    return run.finish()


if __name__ == "__main__":
    sys.exit(main())
