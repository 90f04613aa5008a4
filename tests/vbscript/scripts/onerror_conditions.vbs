' Under On Error Resume Next a statement that raises continues with the
' statement that follows it in the code, even inside a compound statement.
On Error Resume Next
Function Boom()
    Boom = 1 / 0
End Function
calls = 0
Function BoomFirst()
    calls = calls + 1
    If calls = 1 Then BoomFirst = 1 / 0 Else BoomFirst = False
End Function

' Rule: a raising If condition goes on with the first statement of Then.
If Boom() Then WScript.Echo "then" Else WScript.Echo "else"
' expect: then
If Boom() Then
    WScript.Echo "block then"
Else
    WScript.Echo "block else"
End If
' expect: block then

' Rule: a raising ElseIf condition enters that ElseIf's branch.
If False Then
    WScript.Echo "no"
ElseIf Boom() Then
    WScript.Echo "elseif"
Else
    WScript.Echo "else"
End If
' expect: elseif

' Rule: a raising Do While (or While) condition enters the body; Loop goes
' back and tests it again.
Do While BoomFirst()
    WScript.Echo "do while body", calls
Loop
' expect: do while body 1
calls = 0
While BoomFirst()
    WScript.Echo "while body", calls
Wend
' expect: while body 1

' Rule: a raising Loop While / Loop Until condition leaves the loop.
c = 0
Do
    c = c + 1
Loop While Boom()
WScript.Echo "loop while", c
' expect: loop while 1
c = 0
Do
    c = c + 1
Loop Until Boom()
WScript.Echo "loop until", c
' expect: loop until 1

' Rule: a raising For start, To or Step runs the body once with the
' variable unchanged; Next then raises 92 and the loop ends.
x = 7
For x = Boom() To 3
    WScript.Echo "start", x, Err.Number
Next
WScript.Echo Err.Number
' expect: start 7 11
' expect: 92
Err.Clear
For x = 1 To 3 Step Boom()
    WScript.Echo "step", x
Next
WScript.Echo Err.Number
' expect: step 7
' expect: 92
For x = "a" To 3
    WScript.Echo "bad start", x, Err.Number
Next
' expect: bad start 7 13
' The same loop a second time starts afresh.
For i = 1 To 2
    For x = 1 To 2 - i
        WScript.Echo "inner", i, x
    Next
Next
' expect: inner 1 1

' Rule: a raising For Each collection runs the body once; Next then raises
' 451 and the loop ends.
e = "before"
For Each e In Boom()
    WScript.Echo "each", e, Err.Number
Next
WScript.Echo Err.Number
' expect: each before 11
' expect: 451
Err.Clear
For Each e In 5
    WScript.Echo "not a collection", Err.Number
Next
' expect: not a collection 451

' Rule: a raising Select Case subject runs no Case, not even Case Else.
Err.Clear
Select Case Boom()
    Case Empty: WScript.Echo "case empty"
    Case Else: WScript.Echo "case else"
End Select
WScript.Echo "after select", Err.Number
' expect: after select 11

' Rule: a raising Case label enters that Case's body.
Select Case 2
    Case Boom(): WScript.Echo "raising case"
    Case 2: WScript.Echo "case 2"
End Select
' expect: raising case
