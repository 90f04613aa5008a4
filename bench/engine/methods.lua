local Counter = {}
Counter.__index = Counter
function Counter.new() return setmetatable({count = 0}, Counter) end
function Counter:add(n) self.count = self.count + n end
local c = Counter.new()
for i = 1, 1000000 do c:add(1) end
print(c.count)
