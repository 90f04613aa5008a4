Set d = CreateObject("Scripting.Dictionary")
For i = 0 To 199999
    d.Add "k" & i, i
Next
total = 0
For i = 0 To 199999
    k = "k" & i
    If d.Exists(k) Then total = total + d(k)
Next
WScript.Echo d.Count, total
