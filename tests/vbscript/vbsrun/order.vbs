WScript.Echo "out 1"
WScript.StdErr.WriteLine "err 1"
WScript.StdOut.Write "out 2"
WScript.StdErr.Write "|err 2"
WScript.Echo
MsgBox "out 3"
y = 1 / 0
