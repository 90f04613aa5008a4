import re
parts = ["row %d costs %d yuan; " % (i, i % 1000) for i in range(400000)]
text = "".join(parts)
out = re.sub(r"(\d+) yuan", r"CNY \1", text)
print(len(text), len(out), out[len(out) - 21:])
