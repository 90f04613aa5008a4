Dim parts()
ReDim parts(399999)
For i = 0 To 399999
    parts(i) = "row " & i & " costs " & (i Mod 1000) & " yuan; "
Next
text = Join(parts, "")
Set re = New RegExp
re.Pattern = "(\d+) yuan"
re.Global = True
out = re.Replace(text, "CNY $1")
WScript.Echo Len(text), Len(out), Mid(out, Len(out) - 20)
