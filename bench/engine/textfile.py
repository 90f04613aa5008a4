# Writes about 50 MB of text line by line, reads it back line by line, deletes it.
import os
import tempfile

path = os.path.join(tempfile.gettempdir(), "quillon_bench_textfile.txt")
with open(path, "w", encoding="gbk", newline="\r\n") as f:
    for i in range(1, 1000001):
        f.write("line " + str(i) + " of the text file benchmark, with some words\n")
lines = 0
chars = 0
with open(path, encoding="gbk", newline=None) as f:
    for line in f:
        chars += len(line) - 1
        lines += 1
os.remove(path)
print(lines, chars)
