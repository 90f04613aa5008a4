' Every Exit form leaves only its own construct.
Function F()
    F = 1
    Do
        For i = 1 To 3
            If i = 2 Then Exit For
        Next
        F = F + i
        Exit Do
    Loop
    F = F * 10
    Exit Function
    F = -1
End Function
WScript.Echo F()
' expect: 30
Sub S(x)
    If x Then Exit Sub
    WScript.Echo "not exited"
End Sub
S True
S False
' expect: not exited
Class P
    Private v
    Public Property Get Value()
        Value = "early"
        If IsEmpty(v) Then Exit Property
        Value = v
    End Property
    Public Property Let Value(x)
        If x < 0 Then Exit Property
        v = x
    End Property
End Class
Set o = New P
WScript.Echo o.Value
o.Value = -1
WScript.Echo o.Value
o.Value = 5
WScript.Echo o.Value
' expect: early
' expect: early
' expect: 5
Do While True
    Do
        Exit Do
    Loop
    WScript.Echo "outer continues"
    Exit Do
Loop
' expect: outer continues
