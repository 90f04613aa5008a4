' WScript members and the standard streams (this file starts with a UTF-8 mark).
' args: first "second arg"
' stdin: line one
' stdin: 第二行
WScript.Echo WScript.ScriptName, WScript.Arguments.Count, WScript.Arguments(1)
' expect: wscript.vbs 2 second arg
WScript.Echo "中文输出", 1, True, Null, #1/2/2003#
' expect: 中文输出 1 -1 Null 2003/1/2
WScript.StdOut.WriteLine "to stdout"
' expect: to stdout
WScript.StdOut.Write "no newline|"
WScript.StdOut.WriteLine
' expect: no newline|
l1 = WScript.StdIn.ReadLine
WScript.Echo "read:", l1, WScript.StdIn.AtEndOfStream
' expect: read: line one 0
WScript.Echo WScript.StdIn.ReadLine, WScript.StdIn.AtEndOfStream
' expect: 第二行 -1
MsgBox "msg " & True
' expect: msg True
WScript.StdErr.WriteLine "to stderr"
' error: to stderr
' exit: 0

' WScript.CreateObject knows the same classes as CreateObject.
Set viaHost = WScript.CreateObject("Scripting.Dictionary")
viaHost.Add "k", 1
WScript.Echo TypeName(viaHost), viaHost.Count
' expect: Dictionary 1
On Error Resume Next
Set viaHost = WScript.CreateObject("No.Such.Class")
WScript.Echo Err.Number
' expect: 429
On Error GoTo 0
