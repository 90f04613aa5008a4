' Class_Terminate runs exactly when the last reference goes.
Class T
    Public Name
    Private Sub Class_Terminate()
        WScript.Echo "bye " & Name
        x = 1 / 0
    End Sub
End Class
Sub Scope()
    Dim a : Set a = New T : a.Name = "local"
    WScript.Echo "in scope"
End Sub
Scope
WScript.Echo "after scope"
' expect: in scope
' expect: bye local
' expect: after scope
Set g = New T : g.Name = "first"
Set g = New T
' expect: bye first
g.Name = "second"
Dim list(1)
Set list(0) = g
Set g = Nothing
WScript.Echo "still in array"
' expect: still in array
Erase list
' expect: bye second
Set h = New T : h.Name = "end of script"
WScript.Echo "last line"
' expect: last line
' expect: bye end of script
