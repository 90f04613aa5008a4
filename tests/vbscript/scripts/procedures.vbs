' Sub and Function, ByRef by default, ByVal, parentheses and Call.
Sub AddOne(n)
    n = n + 1
End Sub
Sub AddOneByVal(ByVal n)
    n = n + 1
End Sub
Function Square(x)
    Square = x * x
End Function
Function Early(x)
    Early = "start"
    If x Then Exit Function
    Early = "end"
End Function
Dim a : a = 1
AddOne a
WScript.Echo a
' expect: 2
AddOne (a)
WScript.Echo a
' expect: 2
Call AddOne(a)
WScript.Echo a
' expect: 3
AddOneByVal a
WScript.Echo a
' expect: 3
WScript.Echo Square(7), Square(Square(2)), Early(True), Early(False)
' expect: 49 16 start end
Function Fact(n)
    If n <= 1 Then
        Fact = 1
    Else
        Fact = n * Fact(n - 1)
    End If
End Function
WScript.Echo Fact(10), Fact(20)
' expect: 3628800 2.43290200817664E+18
Sub Swap(p, q)
    Dim t : t = p : p = q : q = t
End Sub
x = "left" : y = "right"
Swap x, y
WScript.Echo x, y
' expect: right left
Function Counter()
    Static_ = Static_ + 1
    Counter = Static_
End Function
WScript.Echo Counter(), Counter()
' expect: 1 1
Sub Outer()
    Dim v : v = 10
    Inner v
    WScript.Echo "outer sees", v
End Sub
Sub Inner(ByRef w)
    w = w * 3
End Sub
Outer
' expect: outer sees 30
Set r = GetRef("Square")
WScript.Echo r(9)
' expect: 81
g = 1
Sub UsesGlobal()
    g = g + 10
End Sub
UsesGlobal
WScript.Echo g
' expect: 11
' Array elements given to ByRef parameters come back changed; ByVal ones do not.
Dim cells(3)
Sub SetTo99(c) : c = 99 : End Sub
Sub KeepArg(ByVal c) : c = 1 : cells(2) = 7 : End Sub
SetTo99 cells(1)
KeepArg cells(2)
WScript.Echo cells(1), cells(2)
' expect: 99 7
pair = Array(1, 2, 3)
Swap pair(0), pair(2)
WScript.Echo Join(pair)
' expect: 3 2 1
' Deep recursion carries a ByRef argument across many frames.
Sub Down(n, acc)
    Dim pad1, pad2, pad3, pad4
    acc = acc + 1
    If n > 0 Then Down n - 1, acc
End Sub
Sub StartDown()
    Dim total : total = 0
    Down 2500, total
    WScript.Echo total
End Sub
StartDown
' expect: 2501
' Arguments may be left out between commas.
MsgBox "left out", , "title"
' expect: left out
WScript.Echo Replace("aaa", "a", "b", , 2)
' expect: bba
Sub Two(a, b) : WScript.Echo TypeName(a), b : End Sub
Two , 5
' expect: Error 5
