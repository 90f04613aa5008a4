d = {}
for i in range(200000):
    d["k" + str(i)] = i
total = 0
for i in range(200000):
    k = "k" + str(i)
    if k in d: total += d[k]
print(len(d), total)
