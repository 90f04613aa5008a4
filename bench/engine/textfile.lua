-- Writes about 50 MB of text line by line, reads it back line by line, deletes it.
local dir = os.getenv("TMPDIR") or "/tmp"
local path = dir .. "/quillon_bench_textfile.txt"
local f = assert(io.open(path, "wb"))
for i = 1, 1000000 do
  f:write("line " .. i .. " of the text file benchmark, with some words\r\n")
end
f:close()
local lines, chars = 0, 0
f = assert(io.open(path, "rb"))
for line in f:lines() do
  if line:sub(-1) == "\r" then line = line:sub(1, -2) end
  chars = chars + #line
  lines = lines + 1
end
f:close()
os.remove(path)
print(lines .. " " .. chars)
