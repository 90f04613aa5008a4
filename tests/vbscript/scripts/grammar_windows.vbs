' Constructs written for Windows that the grammar must take as they are.

' &h or &o without a digit of its radix is the & operator and a name.
hi = "H" : o = "O"
WScript.Echo "x" &hi, "y" &o, "z" & &h1F, &17 &8
' expect: xH yO z31 158

' Old spellings of the comparison operators.
WScript.Echo 3 => 2, 2 =< 1, 1 >< 2, 2 => 2
' expect: -1 0 -1 -1

' Single-line If: an empty statement, a closing End If, colons.
If True Then :
If False Then x = 1 Else x = 2 End If
WScript.Echo x
' expect: 2
If True Then x = 3 : : y = 4 End If
WScript.Echo x & y
' expect: 34
If False Then Else WScript.Echo "else only" End If
' expect: else only
If True Then : WScript.Echo "after a colon"
' expect: after a colon
If True Then If False Then x = 5 Else x = 6 End If
WScript.Echo x
' expect: 6

' The end of a procedure or class also ends the statement before it.
Sub Twice(v) WScript.Echo v * 2 End Sub
Sub Passes(v)
    Call Twice(v)End Sub
Function Seven() Seven = 7 End Function
Passes 5
WScript.Echo Seven()
' expect: 10
' expect: 7
Class OnePublic
    Public x End Class
Class OneDim
    Dim x End Class
Class Nested
    Public v
    Function f() x = 0 End Function End Class
Class WithProperty
    Private x
    Property Get p() p = "got" End Property End Class
Set wp = New WithProperty
WScript.Echo wp.p
' expect: got

' Words that are keywords elsewhere serve as names.
Class Words
    Public Property, error, explicit, step
    Private default
    Sub Fill() Property = 1 : step = 2 : error = 3 : explicit = 4 End Sub
End Class
Set w = New Words
w.Fill
WScript.Echo w.Property + w.step + w.error + w.explicit
' expect: 10
Dim Property : Property = 3
For property = 1 To 2 : WScript.Echo "property " & property : Next
' expect: property 1
' expect: property 2
Function Keywords(error, step) Keywords = error & step End Function
WScript.Echo Keywords("e", "s")
' expect: es
Dim let, preserve, resume, get : let = 1 : preserve = 2 : resume = 3 : get = 4
WScript.Echo let & preserve & resume & get
' expect: 1234

' Any word after a dot is a member name.
Set d = CreateObject("Scripting.Dictionary")
d.Add "rem", 1
WScript.Echo d.Count, d.exists("rem")
' expect: 1 -1
Class Members
    Public [rem], [redim], [me], [stop], [preserve], [class]
End Class
Set m = New Members
m.rem = "a" : m.redim = "b" : m.me = "c" : m.stop = "d" : m.preserve = "e" : m.class = "f"
WScript.Echo m.rem & m.redim & m.me & m.stop & m.preserve & m.class
' expect: abcdef

' A parenthesised callee takes the argument list.
Function Double(a) Double = a * 2 End Function
Sub Show(a) WScript.Echo "show " & a End Sub
Call (((Show))) ((3))
' expect: show 3
y = (Double)(4)
WScript.Echo y
' expect: 8
arr = Array(7, 8)
y = ((arr))(1)
WScript.Echo y
' expect: 8

' A procedure defined again replaces the earlier one, whatever its kind.
Sub Again() WScript.Echo "first" End Sub
Again
Function Again() WScript.Echo "second" End Function
Again
' expect: second
' expect: second

' Me outside a class is the script's global scope.
WScript.Echo TypeName(Me)
' expect: Object
Me.Show 9
' expect: show 9
g = 1
Me.g = 2
WScript.Echo g, Me.Double(g)
' expect: 2 4

' Stop without a debugger does nothing.
Stop
If True Then Stop
WScript.Echo "after Stop"
' expect: after Stop
