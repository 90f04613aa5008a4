' Every function of the editor's keyword list exists and returns the subtype
' its documentation names.
d = #2024-03-05 06:07:08#
WScript.Echo TypeName(Date), TypeName(Time), TypeName(Now), TypeName(DateAdd("d", 1, d)), TypeName(DateDiff("d", d, d)), TypeName(DatePart("d", d))
' expect: Date Date Date Date Long Integer
WScript.Echo TypeName(DateSerial(2024, 1, 1)), TypeName(DateValue("2024-1-1")), Day(d), Month(d), MonthName(3), Weekday(d), WeekdayName(1), Year(d)
' expect: Date Date 5 3 三月 3 星期日 2024
WScript.Echo Hour(d), Minute(d), Second(d), TypeName(TimeSerial(1, 2, 3)), TypeName(TimeValue("1:02:03"))
' expect: 6 7 8 Date Date
WScript.Echo Asc("a"), AscB("a"), AscW("a"), Chr(97), ChrB(97), ChrW(97), Join(Filter(Array("ab", "cd"), "c")), InStr("abc", "c"), InStrB("abc", "c"), InStrRev("abca", "a")
' expect: 97 97 97 a a a cd 3 5 4
WScript.Echo Join(Array(1, 2), "-"), Len("abc"), LenB("abc"), LCase("A"), UCase("a"), Left("abc", 1), LeftB("abc", 2), Mid("abc", 2, 1), MidB("abc", 3, 2), Right("abc", 1), RightB("abc", 2)
' expect: 1-2 3 6 a A a a b b c c
WScript.Echo Replace("abc", "b", "x"), "[" & Space(2) & "]", UBound(Split("a b")), StrComp("a", "a"), String(2, "x"), StrReverse("ab"), LTrim(" a"), RTrim("a ") & "|", Trim(" a ")
' expect: axc [  ] 1 0 xx ba a a| a
WScript.Echo Atn(0), Cos(0), Sin(0), Tan(0), Exp(0), Log(1), Sqr(4), TypeName(Rnd)
' expect: 0 1 0 0 1 0 2 Single
Randomize
WScript.Echo Abs(-1), CBool(1), CByte(1), CCur(1), TypeName(CDate(1)), CDbl(1), CInt(1), CLng(1), CSng(1), CStr(1), Hex(10), Oct(8), Int(1.5), Fix(-1.5), Sgn(-2)
' expect: 1 -1 1 1 Date 1 1 1 1 1 A 10 1 -1 -1
WScript.Echo UBound(Array(1)), IsArray(Array()), LBound(Array(1)), Round(1.5), Eval("1+1")
' expect: 0 -1 0 2 2
Execute "WScript.Echo ""executed"""
' expect: executed
WScript.Echo FormatCurrency(1), FormatDateTime(d, 2), FormatNumber(1), FormatPercent(1)
' expect: ¥1.00 2024/3/5 1.00 100.00%
WScript.Echo RGB(1, 2, 3), ScriptEngine, TypeName(ScriptEngineBuildVersion), ScriptEngineMajorVersion, ScriptEngineMinorVersion
' expect: 197121 VBScript Long 5 8
WScript.Echo IsDate(d), IsEmpty(Empty), IsNull(Null), IsNumeric(1), IsObject(Nothing), TypeName(1), VarType(1)
' expect: -1 -1 -1 -1 -1 Integer 2
On Error Resume Next
Set o = CreateObject("Excel.Application")
WScript.Echo Err.Number
' expect: 429
Err.Clear
Set o = GetObject("winmgmts:")
WScript.Echo Err.Number
' expect: 429
Err.Clear
Set p = LoadPicture("x.bmp")
WScript.Echo Err.Number
' expect: 481

' SetLocale returns the locale it replaces; names and 0 (the default) work.
WScript.Echo GetLocale(), SetLocale("en-US"), GetLocale(), SetLocale(0), GetLocale()
' expect: 2052 2052 1033 1033 2052
On Error Resume Next
SetLocale "xx-none"
WScript.Echo Err.Number, GetLocale()
' expect: 5 2052
On Error GoTo 0
' WScript.Path is the folder of the running host program.
WScript.Echo Left(WScript.FullName, Len(WScript.Path) + 1) = WScript.Path & "/", Len(WScript.Path) > 1
' expect: -1 -1
