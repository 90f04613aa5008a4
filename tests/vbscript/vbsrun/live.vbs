' Writes two lines and keeps running: on a terminal both must show at once.
WScript.Echo "first"
WScript.StdErr.WriteLine "second"
WScript.StdOut.Write "third"
Do
    WScript.Sleep 50
Loop
