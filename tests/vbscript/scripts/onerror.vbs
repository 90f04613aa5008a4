' On Error Resume Next, the Err object and errors leaving procedures.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description
' expect: 11 除数为零
Err.Clear
WScript.Echo Err.Number, "[" & Err.Description & "]"
' expect: 0 []
Err.Raise 1000, "Mine", "custom text"
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 1000 Mine custom text
Err.Raise vbObjectError + 1
WScript.Echo Err.Number = vbObjectError + 1
' expect: -1
Sub Fails()
    WScript.Echo "before"
    y = CInt("x")
    WScript.Echo "not reached"
End Sub
Err.Clear
Fails
WScript.Echo "after", Err.Number
' expect: before
' expect: after 13
Sub Handles()
    On Error Resume Next
    z = Array(1)(5)
    WScript.Echo "inside", Err.Number
End Sub
Err.Clear
Handles
' expect: inside 9
' The statement after the failing one runs, even inside an If.
If 1 / 0 Then
    WScript.Echo "in the if body"
End If
' expect: in the if body
On Error GoTo 0
WScript.Echo Err.Number
' expect: 0
WScript.Echo Err
' expect: 0
' A loop whose own line fails runs its body once; Next then fails too
' (onerror_conditions.vbs has every such rule).
On Error Resume Next
For Each item In 42
    WScript.Echo "once"
Next
' expect: once
For i = 1 To "x"
    WScript.Echo "once more"
Next
' expect: once more
WScript.Echo "loops failed", Err.Number
' expect: loops failed 92
' Exit Sub and Exit Function clear Err; reaching End Function does not.
Function FailsAndExits()
    On Error Resume Next
    x = 1 / 0
    Exit Function
End Function
Function FailsAndEnds()
    On Error Resume Next
    x = 1 / 0
End Function
FailsAndExits
WScript.Echo Err.Number
' expect: 0
FailsAndEnds
WScript.Echo Err.Number
' expect: 11
