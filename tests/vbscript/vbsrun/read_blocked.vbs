' Waits on an input that never comes; only the time limit ends it.
WScript.Echo "waiting"
WScript.StdIn.ReadLine
