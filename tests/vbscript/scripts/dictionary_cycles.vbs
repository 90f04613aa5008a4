' Dictionaries that hold each other, or themselves, are freed when the
' script ends (the sanitizer build reports them as leaks otherwise).
Set a = CreateObject("Scripting.Dictionary")
Set b = CreateObject("Scripting.Dictionary")
a.Add "other", b
b.Add "other", a
a.Add "me", a
Set b(a) = a
Set a = Nothing
Set b = Nothing
WScript.Echo "end"
' expect: end
