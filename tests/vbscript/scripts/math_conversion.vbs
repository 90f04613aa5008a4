' Mathematical and conversion functions; Round rounds halves to even.
WScript.Echo Abs(-3), Abs(2.5), Sgn(-7), Sgn(0), Sgn(4), Int(-2.5), Fix(-2.5), Int(2.7)
' expect: 3 2.5 -1 0 1 -3 -2 2
WScript.Echo Round(2.5), Round(3.5), Round(-2.5), Round(2.675, 2), Round(1.005, 2), Round(7)
' expect: 2 4 -2 2.68 1 7
WScript.Echo CInt(2.5), CInt(3.5), CLng("42"), CDbl("1.5e2"), CBool("true"), CBool(0), CByte(255)
' expect: 2 4 42 150 -1 0 255
WScript.Echo TypeName(CInt(1)), TypeName(CLng(1)), TypeName(CSng(1)), TypeName(CDbl(1)), TypeName(CCur(1)), TypeName(CStr(1)), TypeName(CDate("2000-1-1")), TypeName(CByte(1)), TypeName(CBool(1))
' expect: Integer Long Single Double Currency String Date Byte Boolean
WScript.Echo Hex(255), Hex(-1), Hex(CLng(-1)), Oct(8), Hex(65536)
' expect: FF FFFF FFFFFFFF 10 10000
WScript.Echo Sqr(16), Exp(0), Log(1), Atn(0), Cos(0), Sin(0), Tan(0)
' expect: 4 1 0 0 1 0 0
WScript.Echo CCur("1.23456"), CCur(10) / 4, CSng(0.1)
' expect: 1.2346 2.5 0.1
WScript.Echo CStr(True), CStr(1.5), CStr(-0.5), 1E+15, 123456789012345, 1.5E-7
' expect: True 1.5 -0.5 1E+15 123456789012345 1.5E-07
Randomize 1
r = Rnd()
WScript.Echo r >= 0 And r < 1, TypeName(r)
' expect: -1 Single
WScript.Echo 100000 * 100000, CInt(-32768.4), 7 \ 2 * 2, "3" * "4", TypeName("3" * "4"), -5 Mod 3, 5 Mod -3
' expect: 10000000000 -32768 1 12 Double -2 2
WScript.Echo 2 ^ 0.5, CStr(1.0E-6), CStr(1.0E-7), 1234567890123456789, CDbl(0.1) * 3
' expect: 1.4142135623731 0.000001 1E-07 1.23456789012346E+18 0.3
