' WScript.StdIn, StdOut and StdErr are TextStreams over the console.
' stdin: first line
' stdin: abcdef
' stdin: 第三行
' stdin: last
Set stdin = WScript.StdIn
Set sout = WScript.StdOut
WScript.Echo TypeName(stdin), stdin.Line, stdin.Column, stdin.AtEndOfStream, stdin.AtEndOfLine
' expect: TextStream 1 1 0 0
WScript.Echo stdin.ReadLine, stdin.Line, stdin.Column
' expect: first line 2 1
WScript.Echo stdin.Read(2), stdin.Column
' expect: ab 3
stdin.Skip 2
WScript.Echo stdin.Read(5), stdin.Line, stdin.Column
' expect: ef
' expect: 第三 3 3
stdin.SkipLine
WScript.Echo stdin.AtEndOfStream, stdin.ReadAll
' expect: 0 last
' expect: 
WScript.Echo stdin.AtEndOfStream
' expect: -1
On Error Resume Next
x = stdin.ReadLine
WScript.Echo "ReadLine at the end:", Err.Number
' expect: ReadLine at the end: 62
Err.Clear
sout.ReadLine
WScript.Echo "reading stdout:", Err.Number
' expect: reading stdout: 54
Err.Clear
stdin.Write "x"
WScript.Echo "writing stdin:", Err.Number
' expect: writing stdin: 54
On Error GoTo 0
sout.Write "a"
sout.Write "b"
WScript.Echo sout.Column
' expect: ab3
sout.WriteLine "c"
sout.WriteBlankLines 2
' expect: c
' expect: 
' expect: 
WScript.Echo sout.Line
' expect: 4
WScript.StdErr.Write "to stderr "
WScript.StdErr.WriteLine 42
WScript.StdErr.WriteBlankLines 1
' error: to stderr 42
' error: 
' exit: 0
sout.Close
On Error Resume Next
sout.Write "after close"
WScript.Echo "write after Close:", Err.Number
' expect: write after Close: 54
