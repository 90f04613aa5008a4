parts = ["line %d with some words, and the key=%d" % (i, i % 97) for i in range(100000)]
text = "\n".join(parts)
rows = text.split("\n")
total = 0
for r in rows:
    p = r.find("key=")
    total += int(r[p + 4:])
    r2 = r.replace("words", "WORDS")
    if r2.find("WORDS") < 0: total = -1
print(len(rows), total)
