' Booleans in conversions, and the strings that stand for them.
' "#TRUE#" and "#FALSE#" (any case) are Booleans where one is needed.
If "#TRUE#" Then WScript.Echo "if #TRUE#"
' expect: if #TRUE#
If Not "#FALSE#" Then WScript.Echo "not #FALSE#"
' expect: not #FALSE#
WScript.Echo TypeName(Not "#false#"), TypeName(Not "True"), CBool("#True#"), CBool("#FALSE#")
' expect: Boolean Boolean -1 0
WScript.Echo TypeName("#TRUE#" And True), "#TRUE#" Or False, "false" Xor "true", "5" And 3
' expect: Boolean -1 -1 1
n = 0
Do While "#TRUE#"
    n = n + 1
    If n = 2 Then Exit Do
Loop
WScript.Echo n
' expect: 2
On Error Resume Next
x = Not "#TRUE"
WScript.Echo Err.Number
' expect: 13
On Error GoTo 0

' True is all bits set: -1, or 255 as a Byte.
WScript.Echo CByte(True), CByte(False), TypeName(CByte(True))
' expect: 255 0 Byte
WScript.Echo CInt(True), CLng(True), CSng(True), CDbl(True), CCur(True), CStr(True), CStr(False)
' expect: -1 -1 -1 -1 -1 True False
WScript.Echo TypeName(CInt(True)), TypeName(CLng(True)), TypeName(CSng(True)), TypeName(CDbl(True)), TypeName(CCur(True))
' expect: Integer Long Single Double Currency
WScript.Echo CDate(True), CDate(False), CBool(-1), CBool(0), CBool("0"), CBool(0.5)
' expect: 1899/12/29 0:00:00 -1 0 0 -1
WScript.Echo Abs(True), TypeName(Abs(True)), Fix(True), TypeName(Int(True)), Sgn(True), Hex(True), Oct(True)
' expect: 1 Integer -1 Integer -1 FFFF 177777
WScript.Echo Round(True), TypeName(Round(True)), TypeName(True + True), TypeName(-True), -True
' expect: -1 Integer Integer Integer 1
