' Precedence, result subtypes, widening and Null propagation.
' A sign binds tighter than ^ (-2 ^ 2 is (-2) ^ 2), also on the right.
WScript.Echo 2 + 3 * 4, (2 + 3) * 4, 2 ^ 3 ^ 2, -2 ^ 2, 10 \ 3, 10 Mod 3, 7 / 2
' expect: 14 20 64 4 3 1 3.5
WScript.Echo -3 ^ 2, 2 ^ -1, -2 ^ -2, - -2 ^ 3, 2 * -3 ^ 2
' expect: 9 0.5 0.25 8 18
WScript.Echo 1 + 2 & 3 + 4, "5" + 5, "5" & 5, 5 + "5"
' expect: 37 10 55 10
WScript.Echo TypeName(32767 + 1), TypeName(CInt(1) + CInt(1)), TypeName(2147483647 + 1), TypeName(CByte(200) + CByte(100))
' expect: Long Integer Double Integer
WScript.Echo TypeName(1 / 1), TypeName(5 \ 2), TypeName(CByte(5) \ CByte(2)), TypeName(2 ^ 2), TypeName(CSng(1.5) + 1)
' expect: Double Integer Byte Double Single
WScript.Echo True + True, TypeName(True + True), Not 0, Not True, TypeName(Not CByte(1))
' expect: -2 Integer -1 0 Byte
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, True And False, True Or False, False Eqv False, True Imp False
' expect: 8 14 6 0 -1 -1 0
WScript.Echo IsNull(Null + 1), IsNull(Null & Null), "a" & Null & "b", IsNull(Null And True), Null And False
' expect: -1 -1 ab -1 0
WScript.Echo Null Or True, IsNull(Null Or False), False Imp Null, IsNull(1 = Null)
' expect: -1 -1 -1 -1
WScript.Echo Empty + 1, Empty & "x", TypeName(Empty + Empty), Empty = 0, Empty = ""
' expect: 1 x Integer -1 -1
WScript.Echo 10.5 \ 3, 11.5 Mod 4, -7 \ 2, -7 Mod 2, 2.5 \ 1, 3.5 \ 1
' expect: 3 0 -3 -1 2 4
Dim s, n
s = "10" : n = 9
WScript.Echo s > n, s = "10", "10" = 10, s = 10, n < "9"
' expect: -1 -1 -1 -1 0
WScript.Echo "abc" < "abd", "B" < "a", "" < "a", 1 < 2, #1/1/2000# < #1/2/2000#
' expect: -1 -1 -1 -1 -1
Set o1 = Nothing
WScript.Echo o1 Is Nothing, CStr(o1 Is Nothing)
' expect: -1 True
WScript.Echo 5 - -3, - - 2, 2 * -3, 1 - 2 - 3
' expect: 8 2 -6 -4
