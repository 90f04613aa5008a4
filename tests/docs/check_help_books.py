#!/usr/bin/env python3
"""The compiled help books: each holds every page of its project, its table
of contents names every page, and the guide has an index."""
import re
import subprocess
import sys
import tempfile
from pathlib import Path

source, program = Path(sys.argv[1]), Path(sys.argv[2])
books = [
    ("guide/guide.hhp", "帮助文档/VB脚本从入门到精通.CHM", True),
    ("manual/manual.hhp", "帮助文档/帮助文档.chm", False),
]
failures = []


def project_files(hhp):
    text = hhp.read_text(encoding="utf-8")
    files = text.split("[FILES]", 1)[1].split()
    return [f for f in files if f.strip()]


def chmls(*args):
    return subprocess.run(["chmls", *args], capture_output=True, check=True).stdout


with tempfile.TemporaryDirectory() as tmp:
    for hhp, chm, has_index in books:
        book = program / chm
        if not book.exists():
            failures.append(f"{chm} was not built")
            continue
        listed = chmls("-n", "list", str(book)).decode("latin-1")
        pages = project_files(source / hhp)
        for f in pages:
            if "/" + f not in listed:
                failures.append(f"{chm}: {f} is missing")
        toc_file = Path(tmp) / "toc.hhc"
        chmls("extract", str(book), "/toc.hhc", str(toc_file))
        toc = toc_file.read_bytes().decode("gbk")
        for f in (p for p in pages if p.endswith(".html")):
            if f'value="{f}"' not in toc:
                failures.append(f"{chm}: the contents do not list {f}")
        if not re.search(r'<param name="Name" value="[^"]*[\u4e00-\u9fff]', toc):
            failures.append(f"{chm}: no Chinese chapter names in the contents")
        if has_index:
            index_file = Path(tmp) / "index.hhk"
            chmls("extract", str(book), "/index.hhk", str(index_file))
            if index_file.read_bytes().decode("gbk").count("<OBJECT") < 5:
                failures.append(f"{chm}: the index is nearly empty")
        print(f"{chm}: {len(pages)} files checked")

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
