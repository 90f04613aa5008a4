Option Explicit
' Eval and Execute under Option Explicit, inside functions and methods.
Dim a
Execute "a = 5"
WScript.Echo a
' expect: 5
ExecuteGlobal "Dim b : b = 6"
WScript.Echo Eval("b")
' expect: 6
Function Outer(v)
    Outer = Eval("v * 2")
End Function
WScript.Echo Outer(21)
' expect: 42
Class K
    Private f
    Public Sub Init : f = 3 : End Sub
    Public Function Get2 : Get2 = Eval("f + 1") : End Function
End Class
Dim kk : Set kk = New K : kk.Init
WScript.Echo kk.Get2
' expect: 4
Dim fr : Set fr = GetRef("Outer")
WScript.Echo fr(5)
' expect: 10
On Error Resume Next
Execute "c = 1"
WScript.Echo Err.Number
' expect: 500
