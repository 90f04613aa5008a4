' A Class_Terminate that stores a new object into the global being freed at
' the end of the script: the engine ends the chain after a few rounds and
' frees the rest without running Class_Terminate again. (Found by fuzzing;
' it used to free an object twice.)
Class T
    Private Sub Class_Terminate()
        WScript.Echo "bye"
        Set h = New T
    End Sub
End Class
Set h = New T
WScript.Echo "end"
' expect: end
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
' expect: bye
