' Const declarations and the built-in constants.
Const Pi = 3.14159, Greeting = "hi", Big = 2 ^ 10
WScript.Echo Pi, Greeting, Big, Len(vbCrLf), Asc(vbLf), vbOKCancel, vbYes, vbString, vbBinaryCompare, vbTextCompare
' expect: 3.14159 hi 1024 2 10 1 6 8 0 1
Sub UseConst()
    Const Local = "local const"
    WScript.Echo Local, Greeting
End Sub
UseConst
' expect: local const hi
WScript.Echo vbSunday, vbSaturday, vbObjectError, vbRed, vbWhite, vbNullString = ""
' expect: 1 7 -2147221504 255 16777215 -1
