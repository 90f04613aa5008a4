' A fixed array's slot on the value stack must not make the next frame's
' variables in that slot fixed too (error 10 on a plain store).
Function getVT(v)
    getVT = nm(t)
End Function
Function nm(t)
End Function
Dim x(3)
WScript.Echo "[" & getVT(x) & getVT(x) & "]"
' expect: []
Sub LocalFixed()
    Dim p, y(2), z(1, 1)
End Sub
Sub Stores()
    Dim q, r, s
    r = 1 : s = 2
    WScript.Echo r + s
End Sub
Function Implicit()
    a = 1 : b = 2 : c = 3
    Implicit = a + b + c
End Function
LocalFixed
Stores
' expect: 3
LocalFixed
WScript.Echo Implicit()
' expect: 6
Sub Grows(arr)
    ReDim Preserve arr(5)
    WScript.Echo UBound(arr)
End Sub
Sub Caller()
    Dim fixed(2), dynamic()
    ReDim dynamic(1)
    Grows dynamic
    On Error Resume Next
    Grows fixed
    WScript.Echo Err.Number
End Sub
Caller
' expect: 5
' expect: 10
