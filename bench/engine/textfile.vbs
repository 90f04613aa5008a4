' Writes about 50 MB of text line by line, reads it back line by line, deletes it.
Set fso = CreateObject("Scripting.FileSystemObject")
path = fso.BuildPath(fso.GetSpecialFolder(2), "quillon_bench_textfile.txt")
Set ts = fso.CreateTextFile(path, True)
For i = 1 To 1000000
    ts.WriteLine "line " & i & " of the text file benchmark, with some words"
Next
ts.Close
Set ts = fso.OpenTextFile(path, 1)
lines = 0
chars = 0
Do Until ts.AtEndOfStream
    chars = chars + Len(ts.ReadLine)
    lines = lines + 1
Loop
ts.Close
fso.DeleteFile path
WScript.Echo lines, chars
