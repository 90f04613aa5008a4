' An array whose element is out as a ByRef argument is locked until the
' call ends: resizing, erasing or replacing it raises 10; its elements
' can still be written.
Dim a()
ReDim a(3)
Sub Resize(e)
    On Error Resume Next
    ReDim a(0)
    WScript.Echo "redim", Err.Number
    Err.Clear
    Erase a
    WScript.Echo "erase", Err.Number
    Err.Clear
    a = 5
    WScript.Echo "assign", Err.Number
    Err.Clear
    a(1) = "inner"
    WScript.Echo "element", Err.Number, a(1)
    e = "out"
End Sub
Resize a(2)
' expect: redim 10
' expect: erase 10
' expect: assign 10
' expect: element 0 inner
WScript.Echo UBound(a), a(2), a(1)
' expect: 3 out inner
ReDim a(1)
WScript.Echo "unlocked after the call", UBound(a)
' expect: unlocked after the call 1

' A call that fails releases its lock as well.
Sub Fails(e)
    e = 1 / 0
End Sub
On Error Resume Next
Fails a(0)
WScript.Echo "failed", Err.Number
' expect: failed 11
Err.Clear
ReDim a(4)
WScript.Echo "unlocked after the failure", Err.Number, UBound(a)
' expect: unlocked after the failure 0 4

' Nested calls keep the outer lock until the outer call ends.
Sub Inner(e)
End Sub
Sub Outer(e)
    Inner a(1)
    ReDim a(2)
End Sub
Err.Clear
Outer a(0)
WScript.Echo "outer still locked", Err.Number, UBound(a)
' expect: outer still locked 10 4

' A local array locks the same way, also seen through another parameter.
Sub Local()
    On Error Resume Next
    Dim c()
    ReDim c(1)
    Grow c(0), c
    WScript.Echo "local", Err.Number, UBound(c)
End Sub
Sub Grow(e, arr)
    ReDim Preserve arr(5)
End Sub
Err.Clear
Local
' expect: local 10 1

' Deep recursion through one array's element keeps it locked to the last
' level and releases it fully afterwards.
ReDim d(1)
Sub Deep(e, n)
    On Error Resume Next
    If n > 0 Then
        Deep d(0), n - 1
    Else
        ReDim d(3)
        WScript.Echo "deepest", Err.Number
    End If
    e = n
End Sub
Deep d(0), 200
WScript.Echo "stored back", d(0)
' expect: deepest 10
' expect: stored back 200
Err.Clear
ReDim d(2)
WScript.Echo "released", Err.Number, UBound(d)
' expect: released 0 2
