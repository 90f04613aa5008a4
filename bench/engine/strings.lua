local parts = {}
for i = 0, 99999 do parts[#parts + 1] = "line " .. i .. " with some words, and the key=" .. (i % 97) end
local text = table.concat(parts, "\n")
local total, count = 0, 0
for r in (text .. "\n"):gmatch("(.-)\n") do
  count = count + 1
  local p = r:find("key=", 1, true)
  total = total + tonumber(r:sub(p + 4))
  local r2 = r:gsub("words", "WORDS")
  if not r2:find("WORDS", 1, true) then total = -1 end
end
print(count, total)
