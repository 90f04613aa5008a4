' "lines": two ReadLine calls with the line numbers after each; "all":
' ReadAll with its line ends shown.
Set stream = WScript.StdIn
If WScript.Arguments(0) = "all" Then
    WScript.Echo "[" & Replace(Replace(stream.ReadAll, vbCr, "\r"), vbLf, "\n") & "]"
Else
    a = stream.ReadLine
    la = stream.Line
    b = stream.ReadLine
    WScript.Echo "[" & a & "] " & la & " [" & b & "] " & stream.Line
End If
