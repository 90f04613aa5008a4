' Prints how the arguments were split.
Set a = WScript.Arguments
Set n = a.Named
Set u = a.Unnamed
WScript.Echo "count", a.Count, a.Length, n.Count, n.Length, u.Count, u.Length
For Each name In n
    WScript.Echo "named " & name & " " & TypeName(n(name)) & " [" & n.Item(name) & "] " & n.Exists(UCase(name))
Next
For i = 0 To u.Count - 1
    WScript.Echo "unnamed [" & u(i) & "]"
Next
