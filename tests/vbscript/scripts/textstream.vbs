' TextStream over files: reading and writing, lines and columns, modes,
' the end of the file, and the standard streams.
' stdin: 输入的一行
' stdin: second
Const ForReading = 1, ForWriting = 2, ForAppending = 8
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Set ts = fso.CreateTextFile("t.txt")
WScript.Echo TypeName(ts), ts.Line, ts.Column
' expect: TextStream 1 1
ts.Write "ab"
WScript.Echo ts.Line, ts.Column
' expect: 1 3
ts.WriteLine "c"
ts.WriteBlankLines 2
ts.WriteLine
WScript.Echo ts.Line, ts.Column
' expect: 5 1
Try "ts.ReadLine"
' expect: ts.ReadLine -> 54
Try "x = ts.AtEndOfStream"
' expect: x = ts.AtEndOfStream -> 54
Try "ts.WriteBlankLines -1"
' expect: ts.WriteBlankLines -1 -> 5
ts.Close
ts.Close
Try "ts.Write ""x"""
' expect: ts.Write "x" -> 54
WScript.Echo fso.GetFile("t.txt").Size
' expect: 11

' Every line end reads as one: CR LF, LF alone and CR alone.
Set ts = fso.OpenTextFile("t.txt", ForWriting)
ts.Write "one" & vbCr & "two" & vbLf & "three" & vbCrLf & vbCrLf & "last"
ts.Close
Set ts = fso.OpenTextFile("t.txt")
Do Until ts.AtEndOfStream
    n = ts.Line
    WScript.Echo n & ":[" & ts.ReadLine & "]"
Loop
' expect: 1:[one]
' expect: 2:[two]
' expect: 3:[three]
' expect: 4:[]
' expect: 5:[last]
WScript.Echo ts.Line, ts.Column, ts.AtEndOfLine
' expect: 5 5 -1
Try "ts.ReadLine"
' expect: ts.ReadLine -> 62
Try "ts.Read 1"
' expect: ts.Read 1 -> 62
Try "ts.ReadAll"
' expect: ts.ReadAll -> 62
Try "ts.SkipLine"
' expect: ts.SkipLine -> 62
Try "ts.Write ""x"""
' expect: ts.Write "x" -> 54
ts.Close

' Characters: Read, Skip, AtEndOfLine, Column across a line end.
Set ts = fso.OpenTextFile("t.txt", ForReading)
WScript.Echo ts.Read(2), ts.Column, ts.AtEndOfLine
' expect: on 3 0
ts.Skip 1
WScript.Echo ts.AtEndOfLine, ts.Column
' expect: -1 4
WScript.Echo Asc(ts.Read(1)), ts.Line, ts.Column
' expect: 13 2 1
WScript.Echo ts.ReadLine
' expect: two
ts.SkipLine
WScript.Echo Len(ts.Read(100)), ts.AtEndOfStream
' expect: 6 -1
ts.Close
Set ts = fso.OpenTextFile("t.txt")
WScript.Echo Len(ts.ReadAll), ts.Line, ts.Column
' expect: 21 5 5
Try "ts.Read -1"
' expect: ts.Read -1 -> 5
ts.Close
' A CR taken by Read and the LF after it end one line, not two.
Set ts = fso.CreateTextFile("crlf.txt")
ts.Write "a" & vbCrLf
ts.Close
Set ts = fso.OpenTextFile("crlf.txt")
WScript.Echo Len(ts.Read(2)), ts.Line, ts.AtEndOfStream
' expect: 2 2 0
WScript.Echo "[" & ts.ReadLine & "]", ts.AtEndOfStream, ts.Line
' expect: [] -1 2
ts.Close

' Appending, creating on open, and the argument checks.
Set ts = fso.OpenTextFile("t.txt", ForAppending)
ts.Write "+more"
ts.Close
Set ts = fso.OpenTextFile("t.txt")
ts.Skip 17
WScript.Echo ts.ReadAll
' expect: last+more
ts.Close
Try "fso.OpenTextFile ""new.txt"""
' expect: fso.OpenTextFile "new.txt" -> 53
Try "fso.OpenTextFile ""new.txt"", ForWriting"
' expect: fso.OpenTextFile "new.txt", ForWriting -> 53
Try "fso.OpenTextFile ""no/such.txt"", ForWriting, True"
' expect: fso.OpenTextFile "no/such.txt", ForWriting, True -> 76
Set ts = fso.OpenTextFile("new.txt", ForAppending, True)
ts.WriteLine "appended"
ts.Close
Set ts = fso.OpenTextFile("empty.txt", ForReading, True)
WScript.Echo ts.AtEndOfStream, ts.AtEndOfLine, fso.FileExists("empty.txt")
' expect: -1 -1 -1
ts.Close
WScript.Echo fso.OpenTextFile("new.txt").ReadLine
' expect: appended
Try "fso.OpenTextFile ""new.txt"", 3"
' expect: fso.OpenTextFile "new.txt", 3 -> 5
Try "fso.OpenTextFile ""new.txt"", 1, False, 1"
' expect: fso.OpenTextFile "new.txt", 1, False, 1 -> 5
Try "fso.CreateTextFile ""new.txt"", False"
' expect: fso.CreateTextFile "new.txt", False -> 58
Try "fso.OpenTextFile "".""" 
' expect: fso.OpenTextFile "." -> 70
Try "fso.CreateTextFile ""no/such.txt"""
' expect: fso.CreateTextFile "no/such.txt" -> 76

' Writing mode replaces the content; a stream left open is written when
' its last reference goes.
Set ts = fso.OpenTextFile("new.txt", ForWriting)
ts.Write "replaced"
WScript.Echo fso.OpenTextFile("new.txt").ReadLine
' expect: appended
Set ts = Nothing
WScript.Echo fso.OpenTextFile("new.txt").ReadLine
' expect: replaced
Sub WriteAndForget()
    Dim s
    Set s = fso.CreateTextFile("forgotten.txt")
    s.Write "kept"
End Sub
WriteAndForget
WScript.Echo fso.OpenTextFile("forgotten.txt").ReadAll, fso.GetFolder(".").Files.Count
' expect: kept 5

' File.OpenAsTextStream.
Set f = fso.GetFile("forgotten.txt")
Set ts = f.OpenAsTextStream(ForAppending)
ts.Write "!"
ts.Close
WScript.Echo f.OpenAsTextStream.ReadAll
' expect: kept!

' The standard streams go through the host like WScript's.
Set out = fso.GetStandardStream(1)
out.Write "标准"
out.WriteLine "输出"
' expect: 标准输出
Set inp = fso.GetStandardStream(0)
WScript.Echo inp.ReadLine, inp.Line
' expect: 输入的一行 2
WScript.Echo inp.Read(3), inp.AtEndOfLine, inp.ReadLine, inp.AtEndOfStream
' expect: sec 0 ond -1
Try "out.ReadLine"
' expect: out.ReadLine -> 54
Try "fso.GetStandardStream 3"
' expect: fso.GetStandardStream 3 -> 5
