' Without Randomize, Rnd starts from the language's fixed seed.
WScript.Echo Rnd, Rnd, Rnd
' expect: 0.7055475 0.533424 0.5795186
WScript.Echo Rnd(0)
' expect: 0.5795186
x = Rnd(-1)
y = Rnd(-1)
WScript.Echo x = y
' expect: -1
