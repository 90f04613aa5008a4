local parts = {}
for i = 0, 399999 do parts[#parts + 1] = "row " .. i .. " costs " .. (i % 1000) .. " yuan; " end
local text = table.concat(parts)
local out = text:gsub("(%d+) yuan", "CNY %1")
print(#text, #out, out:sub(#out - 20))
