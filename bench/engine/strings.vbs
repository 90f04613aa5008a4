lines = ""
parts = Array()
ReDim parts(99999)
For i = 0 To 99999
    parts(i) = "line " & i & " with some words, and the key=" & (i Mod 97)
Next
text = Join(parts, vbLf)
rows = Split(text, vbLf)
total = 0
For Each r In rows
    p = InStr(r, "key=")
    total = total + CLng(Mid(r, p + 4))
    r2 = Replace(r, "words", "WORDS")
    If InStr(r2, "WORDS") = 0 Then total = -1
Next
WScript.Echo UBound(rows) + 1, total
