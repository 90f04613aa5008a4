' Fixed and dynamic arrays, ReDim Preserve, Erase, several dimensions.
Dim fixed(2), grid(1, 2), dyn()
fixed(0) = "a" : fixed(2) = "c"
WScript.Echo UBound(fixed), LBound(fixed), fixed(0), IsEmpty(fixed(1)), fixed(2)
' expect: 2 0 a -1 c
grid(1, 2) = 12
WScript.Echo UBound(grid, 1), UBound(grid, 2), grid(1, 2)
' expect: 1 2 12
ReDim dyn(1)
dyn(0) = "x" : dyn(1) = "y"
ReDim Preserve dyn(3)
dyn(3) = "z"
WScript.Echo UBound(dyn), Join(dyn, ",")
' expect: 3 x,y,,z
ReDim dyn(1)
WScript.Echo IsEmpty(dyn(0))
' expect: -1
b = Array(1, 2, 3)
c = b
c(0) = 99
WScript.Echo b(0), c(0), IsArray(b), TypeName(b), VarType(b)
' expect: 1 99 -1 Variant() 8204
Erase fixed
WScript.Echo UBound(fixed), IsEmpty(fixed(0))
' expect: 2 -1
n = 0
For Each item In grid
    n = n + 1
Next
WScript.Echo n
' expect: 6
Sub Fill(arr)
    arr(0) = "filled"
End Sub
Fill c
WScript.Echo c(0)
' expect: filled
Function MakeArray()
    MakeArray = Array("p", "q")
End Function
WScript.Echo MakeArray()(1), UBound(Array())
' expect: q -1
ReDim m(2, 1)
m(2, 1) = "last"
ReDim Preserve m(2, 3)
WScript.Echo m(2, 1), UBound(m, 2)
' expect: last 3
On Error Resume Next
ReDim Preserve m(3, 3)
WScript.Echo Err.Number
' expect: 9
Err.Clear
x = UBound(5)
WScript.Echo Err.Number
' expect: 13
Dim e1(1), e2(1)
e1(0) = 1 : e2(0) = 2
Erase e1, e2
WScript.Echo IsEmpty(e1(0)), IsEmpty(e2(0))
' expect: -1 -1
