' Execute, ExecuteGlobal and Eval see the scope they run in.
x = 10
WScript.Echo Eval("x * 2"), Eval("x = 10")
' expect: 20 -1
Execute "y = x + 1"
WScript.Echo y
' expect: 11
ExecuteGlobal "Function Triple(n) : Triple = n * 3 : End Function"
WScript.Echo Triple(4)
' expect: 12
Sub Local()
    Dim inner : inner = 5
    WScript.Echo Eval("inner + x")
    Execute "inner = inner * 2"
    WScript.Echo inner
End Sub
Local
' expect: 15
' expect: 10
Execute "Sub Dyn() : WScript.Echo ""dynamic sub"" : End Sub"
Dyn
' expect: dynamic sub
On Error Resume Next
Eval "1 +"
WScript.Echo Err.Number
' expect: 1023
Err.Clear
Execute "Wend"
WScript.Echo Err.Number
' expect: 1002
