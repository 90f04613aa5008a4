WScript.Echo "started", WScript.Timeout
Do
Loop
