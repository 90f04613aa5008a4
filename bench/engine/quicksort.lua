local function qsort(a, lo, hi)
  local i, j, p = lo, hi, a[(lo + hi) // 2]
  while i <= j do
    while a[i] < p do i = i + 1 end
    while a[j] > p do j = j - 1 end
    if i <= j then a[i], a[j] = a[j], a[i]; i = i + 1; j = j - 1 end
  end
  if lo < j then qsort(a, lo, j) end
  if i < hi then qsort(a, i, hi) end
end
local n = 200000
local arr = {}
local seed = 12345
for k = 0, n - 1 do
  seed = seed * 16807
  seed = seed - math.floor(seed / 2147483647) * 2147483647
  arr[k] = seed
end
qsort(arr, 0, n - 1)
local ok = true
for k = 1, n - 1 do if arr[k - 1] > arr[k] then ok = false end end
print(ok)
