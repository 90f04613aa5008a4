' String functions; positions count from 1.
s = "Hello, World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 8), Mid(s, 8, 3), Mid(s, 50) = ""
' expect: 12 Hello World World Wor -1
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "z"), InStr(1, s, "WORLD", vbTextCompare), InStrRev(s, "o")
' expect: 5 9 0 8 9
WScript.Echo UCase(s), LCase(s)
' expect: HELLO, WORLD hello, world
WScript.Echo "[" & Trim("  a b  ") & "]", "[" & LTrim("  a ") & "]", "[" & RTrim(" a  ") & "]"
' expect: [a b] [a ] [ a]
WScript.Echo Replace("a-b-c", "-", "+"), Replace("aAaA", "a", "x", 1, -1, vbTextCompare), Replace("abcabc", "b", "", 3)
' expect: a+b+c xxxx cac
parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts), parts(3), Join(parts, "|"), UBound(Split("")), UBound(Split("a b c", " ", 2))
' expect: 3 c a|b||c -1 1
WScript.Echo StrReverse("abc"), Space(3) & "|", String(3, "z"), String(2, 65)
' expect: cba    | zzz AA
WScript.Echo StrComp("a", "B"), StrComp("a", "B", 1), StrComp("b", "b")
' expect: 1 -1 0
WScript.Echo Asc("A"), Chr(66), AscW("中"), ChrW(20013), Len("中文")
' expect: 65 B 20013 中 2
WScript.Echo LenB("abc"), InStrB("abc", "b"), AscB("A")
' expect: 6 3 65
f = Filter(Array("apple", "banana", "cherry"), "an")
WScript.Echo Join(f, ","), Join(Filter(Array("apple", "banana"), "an", False), ",")
' expect: banana apple
WScript.Echo IsNull(Left(Null, 1)), IsNull(Len(Null))
' expect: -1 -1
t = ""
For i = 1 To 1000 : t = t & "ab" : Next
WScript.Echo Len(t)
' expect: 2000

' Escape keeps letters, digits and @*_+-./; Unescape leaves malformed escapes.
WScript.Echo Escape("a b&中@*_+-./~")
' expect: a%20b%26%u4E2D@*_+-./%7E
WScript.Echo Unescape("%41%20%u4E2D%zz%u12%")
' expect: A 中%zz%u12%
WScript.Echo Unescape(Escape("Tab" & vbTab & "中文!")) = "Tab" & vbTab & "中文!", IsNull(Escape(Null))
' expect: -1 -1

' Asc and Chr use code page 936: double-byte codes, negative above &H7FFF.
WScript.Echo Asc("中"), Hex(Asc("中")), Chr(&HD6D0), Chr(Asc("文")), Asc("€"), AscW("中")
' expect: -10544 D6D0 中 文 128 20013
On Error Resume Next
x = Chr(&HFF01)
WScript.Echo Err.Number
' expect: 5
On Error GoTo 0

' Case mapping covers accented, Greek, Cyrillic and full-width letters, the
' same wherever the engine runs.
WScript.Echo LCase("ÀÉ ĀĹ ΑΩ АЯ ＡＺ"), UCase("àé āĺ αως ая ａｚ ß")
' expect: àé āĺ αω ая ａｚ ÀÉ ĀĹ ΑΩΣ АЯ ＡＺ ß
WScript.Echo StrComp("ＶＢＳ", "ｖｂｓ", vbTextCompare), InStr(1, "xÉy", "é", vbTextCompare)
' expect: 0 2

' Byte strings: ChrB makes half a unit, and the B functions count bytes.
WScript.Echo LenB(ChrB(65)), LenB(ChrB(65) & ChrB(66)), AscW(ChrB(65) & ChrB(66)) = &H4241
' expect: 1 2 -1
odd = ChrB(1) & "x"
WScript.Echo LenB(odd), AscB(odd), AscB(MidB(odd, 2, 1)), AscB(RightB(odd, 1)), LenB(MidB("abc", 2))
' expect: 3 1 120 0 5
built = ""
For i = 1 To 5 : built = built & ChrB(64 + i) : Next
WScript.Echo LenB(built), AscB(MidB(built, 5)), InStrB(built, ChrB(67)), InStrB(2, "abcb", "b"), LenB(built & Null)
' expect: 5 69 3 3 5
WScript.Echo MidB("abc", 3, 2) = "b", LeftB("abc", 3) = "a" & ChrB(98)
' expect: -1 -1
