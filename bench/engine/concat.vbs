s = ""
For i = 1 To 100000
    s = s & "x"
Next
WScript.Echo Len(s)
