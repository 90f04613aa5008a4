' If, Select Case, every loop form and Exit.
x = 5
If x > 3 Then
    WScript.Echo "big"
ElseIf x > 1 Then
    WScript.Echo "mid"
Else
    WScript.Echo "small"
End If
' expect: big
If x = 1 Then WScript.Echo "no" Else WScript.Echo "else branch"
' expect: else branch
For Each v In Array(1, "two", 3.5, Empty)
    Select Case v
    Case 1, 2: WScript.Echo "one or two"
    Case "two": WScript.Echo "string two"
    Case Else: WScript.Echo "other " & TypeName(v)
    End Select
Next
' expect: one or two
' expect: string two
' expect: other Double
' expect: other Empty
s = ""
For i = 10 To 1 Step -3 : s = s & i & " " : Next
WScript.Echo s, i
' expect: 10 7 4 1  -2
For i = 1 To 0 : WScript.Echo "never" : Next
WScript.Echo i
' expect: 1
For i = 0 To 1 Step 0.25 : t = t + i : Next
WScript.Echo t
' expect: 2.5
n = 0
Do While n < 3 : n = n + 1 : Loop
Do Until n = 6 : n = n + 1 : Loop
Do : n = n + 1 : Loop While n < 8
Do : n = n + 1 : Loop Until n >= 10
While n < 12 : n = n + 1 : Wend
WScript.Echo n
' expect: 12
Do
    n = n + 1
    If n = 15 Then Exit Do
Loop
For i = 1 To 100
    If i = 4 Then Exit For
Next
WScript.Echo n, i
' expect: 15 4
For a = 1 To 2
    For b = 1 To 3
        If b = 2 Then Exit For
        WScript.Echo a & "-" & b
    Next
Next
' expect: 1-1
' expect: 2-1
Select Case "X"
Case "x": WScript.Echo "case-sensitive failed"
Case "X": WScript.Echo "exact"
End Select
' expect: exact
With New RegHolder
    .Value = 4
    WScript.Echo .Value * 2
End With
' expect: 8
Class RegHolder
    Public Value
End Class
