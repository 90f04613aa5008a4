local d, count = {}, 0
for i = 0, 199999 do
  d["k" .. i] = i
  count = count + 1
end
local total = 0
for i = 0, 199999 do
  local k = "k" .. i
  if d[k] ~= nil then total = total + d[k] end
end
print(count, total)
