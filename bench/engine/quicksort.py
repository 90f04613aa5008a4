import sys
sys.setrecursionlimit(10000)
def qsort(a, lo, hi):
    i, j, p = lo, hi, a[(lo + hi) // 2]
    while i <= j:
        while a[i] < p: i += 1
        while a[j] > p: j -= 1
        if i <= j:
            a[i], a[j] = a[j], a[i]
            i += 1; j -= 1
    if lo < j: qsort(a, lo, j)
    if i < hi: qsort(a, i, hi)
n = 200000
arr = [0] * n
seed = 12345.0
for k in range(n):
    seed = seed * 16807
    seed = seed - (seed // 2147483647) * 2147483647
    arr[k] = seed
qsort(arr, 0, n - 1)
print(all(arr[k - 1] <= arr[k] for k in range(1, n)))
