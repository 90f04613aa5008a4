Class Counter
    Private mCount
    Public Sub Add(n)
        mCount = mCount + n
    End Sub
    Public Property Get Count()
        Count = mCount
    End Property
End Class
Set c = New Counter
For i = 1 To 1000000
    c.Add 1
Next
WScript.Echo c.Count
