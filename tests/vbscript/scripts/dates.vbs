' Date functions; dates print in the zh-CN short form.
d = DateSerial(2024, 2, 29)
WScript.Echo d, Year(d), Month(d), Day(d), Weekday(d), WeekdayName(Weekday(d)), MonthName(2)
' expect: 2024/2/29 2024 2 29 5 星期四 二月
WScript.Echo DateAdd("d", 1, d), DateAdd("m", 1, #1/31/2024#), DateAdd("yyyy", 1, d), DateAdd("h", 36, d)
' expect: 2024/3/1 2024/2/29 2025/2/28 2024/3/1 12:00:00
WScript.Echo DateDiff("d", #1/1/2024#, #3/1/2024#), DateDiff("m", #12/31/2023#, #1/1/2024#), DateDiff("yyyy", #12/31/2023#, #1/1/2024#)
' expect: 60 1 1
WScript.Echo DatePart("q", d), DatePart("y", d), DatePart("w", d)
' expect: 1 60 5
t = TimeSerial(13, 5, 9)
WScript.Echo t, Hour(t), Minute(t), Second(t), TimeSerial(25, 0, 0)
' expect: 13:05:09 13 5 9 1899/12/31 1:00:00
WScript.Echo DateValue("2001-05-06"), TimeValue("7:08:09 PM"), CDate("2001/5/6 7:08")
' expect: 2001/5/6 19:08:09 2001/5/6 7:08:00
WScript.Echo #1/2/2000# - #1/1/2000#, CDbl(#1/1/1900#), #1/1/2000# + 1
' expect: 1 2 2000/1/2
WScript.Echo IsDate(Now), Now >= Date, TypeName(Timer)
' expect: -1 -1 Single
WScript.Echo CDate(0), CDate(1.5), #12/31/1899#, CLng(#1/1/2000#)
' expect: 0:00:00 1899/12/31 12:00:00 1899/12/31 36526
WScript.Echo CDate("2026年12月10日"), IsDate("2026年2月30日"), DateValue("Dec 25, 2020")
' expect: 2026/12/10 0 2020/12/25
