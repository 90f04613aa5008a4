' A limit the script sets itself counts from then on.
WScript.Timeout = 1
WScript.Echo WScript.Timeout
WScript.Sleep 10000
WScript.Echo "not reached"
