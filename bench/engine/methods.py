class Counter:
    def __init__(self): self.count = 0
    def add(self, n): self.count = self.count + n
c = Counter()
for i in range(1000000):
    c.add(1)
print(c.count)
