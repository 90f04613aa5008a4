' Text file formats: ANSI is GBK, Unicode is UTF-16LE with its mark; the
' mark is recognised when reading with the default formats.
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Const TristateFalse = 0, TristateTrue = -1, TristateUseDefault = -2
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Set ts = fso.CreateTextFile("gbk.txt")
ts.Write "中文ab"
ts.Close
WScript.Echo fso.GetFile("gbk.txt").Size, fso.OpenTextFile("gbk.txt").ReadAll
' expect: 6 中文ab

Set ts = fso.CreateTextFile("u.txt", True, True)
ts.WriteLine "中文"
ts.Close
WScript.Echo fso.GetFile("u.txt").Size
' expect: 10
For Each fmt In Array(TristateFalse, TristateTrue, TristateUseDefault)
    Set ts = fso.OpenTextFile("u.txt", ForReading, False, fmt)
    WScript.Echo fmt, ts.ReadLine, ts.AtEndOfStream
    ts.Close
Next
' expect: 0 中文 -1
' expect: -1 中文 -1
' expect: -2 中文 -1
Set ts = fso.OpenTextFile("u.txt", ForAppending, False, TristateUseDefault)
ts.Write "续"
ts.Close
WScript.Echo fso.GetFile("u.txt").Size, Replace(fso.OpenTextFile("u.txt").ReadAll, vbCrLf, "/")
' expect: 12 中文/续
Set ts = fso.OpenTextFile("u2.txt", ForWriting, True, TristateTrue)
ts.Write "x"
ts.Close
WScript.Echo fso.GetFile("u2.txt").Size, fso.GetFile("u2.txt").OpenAsTextStream(ForReading, TristateTrue).ReadAll
' expect: 4 x

' Bytes that are not GBK read as U+FFFD instead of failing the read.
Set ts = fso.CreateTextFile("bad.txt")
ts.Write "A"
ts.Close
Set ts = fso.OpenTextFile("bad.txt", ForAppending, False, TristateTrue)
ts.Write ChrW(&H2081)
ts.Close
s = fso.OpenTextFile("bad.txt").ReadAll
WScript.Echo Len(s), AscW(Mid(s, 2, 1)), "[" & Mid(s, 3) & "]"
' expect: 3 -3 [ ]

' Text GBK cannot hold is refused whole; the stream goes on.
Set ts = fso.CreateTextFile("thai.txt")
ts.Write "ok"
Try "ts.Write ""x"" & ChrW(&HE01)"
' expect: ts.Write "x" & ChrW(&HE01) -> 5
Try "ts.WriteLine ChrW(&HD83D) & ChrW(&HDE00)"
' expect: ts.WriteLine ChrW(&HD83D) & ChrW(&HDE00) -> 5
ts.Write "!"
ts.Close
WScript.Echo fso.OpenTextFile("thai.txt").ReadAll
' expect: ok!
Set ts = fso.CreateTextFile("thai.txt", True, True)
ts.Write ChrW(&HE01)
ts.Close
WScript.Echo AscW(fso.OpenTextFile("thai.txt").ReadAll)
' expect: 3585
