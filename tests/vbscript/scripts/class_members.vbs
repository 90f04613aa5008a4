' A collection-like class: dynamic field array, default property with an
' argument, Execute and Err.Raise inside methods.
Class Bag
    Private items()
    Private n
    Private Sub Class_Initialize() : ReDim items(1) : n = 0 : End Sub
    Public Sub Add(v)
        If n > UBound(items) Then ReDim Preserve items(n * 2)
        items(n) = v : n = n + 1
    End Sub
    Public Default Property Get Item(i) : Item = items(i) : End Property
    Public Property Get Count : Count = n : End Property
    Public Function Total()
        Dim k, t
        For k = 0 To n - 1 : t = t + items(k) : Next
        Total = t
    End Function
    Public Sub Show() : Execute "WScript.Echo ""n is "" & n" : End Sub
    Public Property Get Fail() : Err.Raise 1234, "Bag", "bag failure" : End Property
End Class
Set b = New Bag
For i = 1 To 5 : b.Add i * 10 : Next
WScript.Echo b.Count, b(2), b.Item(4), b.Total()
' expect: 5 30 50 150
b.Show
' expect: n is 5
On Error Resume Next
x = b.Fail
WScript.Echo Err.Number, Err.Source, Err.Description
' expect: 1234 Bag bag failure
On Error GoTo 0
If b.Count = 5 Then : WScript.Echo "colon if" : End If
' expect: colon if
Call b.Add(60)
With b
    WScript.Echo .Count, .Item(0)
End With
' expect: 6 10

' Assigning through the result of a call: the default member of what it
' returns takes the value; an element of a returned array changes nothing.
Class ChainBag
    Private cell_
    Private Sub Class_Initialize : Set cell_ = New ChainCell : End Sub
    Public Function Slot(n) : Set Slot = cell_ : End Function
End Class
Class ChainCell
    Public v
    Public Default Property Get Item(k) : Item = v & ":" & k : End Property
    Public Property Let Item(k, x) : v = k & "=" & x : End Property
End Class
Set chain = New ChainBag
chain.Slot(1)("a") = 5
WScript.Echo chain.Slot(2)("z")
' expect: a=5:z
Function TwoItems() : TwoItems = Array(1, 2) : End Function
TwoItems()(0) = 9
WScript.Echo TwoItems()(0)
' expect: 1
