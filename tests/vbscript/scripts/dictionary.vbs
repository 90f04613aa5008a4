' Scripting.Dictionary: keys, items, order, CompareMode and the errors.
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo TypeName(d), d.Count, d.CompareMode, UBound(d.Keys), UBound(d.Items)
' expect: Dictionary 0 0 -1 -1
d.Add "b", "bee"
d.Add "a", "ay"
d("c") = "sea"
d.Item("a") = "AY"
WScript.Echo d.Count, d("a"), d.Item("b"), d("c"), Join(d.Keys, ","), Join(d.Items, ",")
' expect: 3 AY bee sea b,a,c bee,AY,sea
WScript.Echo d.Exists("a"), d.Exists("A"), d.Exists("zz"), d.Count
' expect: -1 0 0 3

' Reading a missing key adds it, holding Empty.
x = d("new")
WScript.Echo IsEmpty(x), d.Count, d.Exists("new"), IsEmpty(d.Items()(3))
' expect: -1 4 -1 -1

' Numbers are keys by value whatever their subtype; strings are never numbers.
Set n = CreateObject("Scripting.Dictionary")
n.Add 1, "one"
n.Add "1", "string one"
WScript.Echo n.Exists(CLng(1)), n.Exists(1.0), n.Exists(CByte(1)), n.Exists(CCur(1)), n(CDbl(1)), n("1")
' expect: -1 -1 -1 -1 one string one
n(2.5) = "two and a half"
WScript.Echo n.Count, TypeName(n.Keys()(0)), TypeName(n.Keys()(1)), TypeName(n.Keys()(2)), n(5 / 2)
' expect: 3 Integer String Double two and a half
On Error Resume Next
For Each k In Array(CLng(1), 1.0, CSng(1), CByte(1))
    n.Add k, "again"
    WScript.Echo TypeName(k), Err.Number
    Err.Clear
Next
On Error GoTo 0
' expect: Long 457
' expect: Double 457
' expect: Single 457
' expect: Byte 457

' Objects are keys by identity.
Set o1 = CreateObject("Scripting.Dictionary")
Set o2 = CreateObject("Scripting.Dictionary")
Set byObj = CreateObject("Scripting.Dictionary")
byObj.Add o1, "first"
byObj.Add o2, "second"
Set same = o1
WScript.Echo byObj.Count, byObj(same), byObj(o2), TypeName(byObj.Keys()(0))
' expect: 2 first second Dictionary

' CompareMode: binary by default, text ignores case; only an empty dictionary may switch.
Set t = CreateObject("Scripting.Dictionary")
t.CompareMode = vbTextCompare
t.Add "Key", 1
WScript.Echo t.CompareMode, t.Exists("KEY"), t("key"), t.Count
' expect: 1 -1 1 1
On Error Resume Next
t.Add "kEY", 2
WScript.Echo Err.Number, Err.Description
' expect: 457 此键已经与集合中的某个元素关联
Err.Clear
t.CompareMode = vbBinaryCompare
WScript.Echo Err.Number, t.CompareMode
' expect: 5 1
Err.Clear
On Error GoTo 0
Set b = CreateObject("Scripting.Dictionary")
b.Add "Key", 1
b.Add "key", 2
WScript.Echo b.Count, b("Key"), b("key")
' expect: 2 1 2

' Key renames in place; the item and the position stay.
Set r = CreateObject("Scripting.Dictionary")
r.Add "one", 1 : r.Add "two", 2 : r.Add "three", 3
r.Key("two") = "deux"
WScript.Echo Join(r.Keys, ","), r("deux"), r.Exists("two")
' expect: one,deux,three 2 0
t.Key("KEY") = "kEy"
WScript.Echo Join(t.Keys, ","), t("KEY")
' expect: kEy 1
On Error Resume Next
r.Key("missing") = "x"
WScript.Echo Err.Number, Err.Description
' expect: 32811 找不到元素
Err.Clear
r.Key("one") = "three"
WScript.Echo Err.Number, Join(r.Keys, ",")
' expect: 457 one,deux,three
Err.Clear
On Error GoTo 0

' Remove, then Keys and Items in the order left; RemoveAll empties.
r.Remove "deux"
WScript.Echo r.Count, Join(r.Keys, ","), Join(r.Items, ",")
' expect: 2 one,three 1,3
r.Add "two", 2
WScript.Echo Join(r.Keys, ",")
' expect: one,three,two
On Error Resume Next
r.Remove "deux"
WScript.Echo Err.Number
' expect: 32811
Err.Clear
On Error GoTo 0
r.RemoveAll
WScript.Echo r.Count, UBound(r.Keys), r.Exists("one")
' expect: 0 -1 0

' Many removals keep order and lookups right.
Set big = CreateObject("Scripting.Dictionary")
For i = 1 To 1000
    big.Add "k" & i, i
Next
For i = 1 To 1000
    If i Mod 3 <> 0 Then big.Remove "k" & i
Next
keys = big.Keys
WScript.Echo big.Count, keys(0), keys(1), keys(332), big("k999"), big.Exists("k998")
' expect: 333 k3 k6 k999 999 0

' For Each walks the keys in order; the loop may change the dictionary.
Set w = CreateObject("Scripting.Dictionary")
w.Add "x", 1 : w.Add "y", 2 : w.Add "z", 3
s = ""
For Each k In w
    s = s & k & "=" & w(k) & " "
    If k = "x" Then w.Remove "z"
Next
WScript.Echo s, w.Count
' expect: x=1 y=2 z=  3
For Each k In CreateObject("Scripting.Dictionary")
    WScript.Echo "never"
Next

' Nested dictionaries.
Set outer = CreateObject("Scripting.Dictionary")
Set outer("inner") = CreateObject("Scripting.Dictionary")
outer("inner")("deep") = "value"
outer("inner").Add "more", 2
WScript.Echo outer("inner").Count, outer("inner")("deep"), TypeName(outer.Items()(0))
' expect: 2 value Dictionary

' Items are released with the dictionary, by Remove and by RemoveAll.
Class Noisy
    Public Name
    Private Sub Class_Terminate()
        WScript.Echo "bye " & Name
    End Sub
End Class
Set keep = CreateObject("Scripting.Dictionary")
Set a = New Noisy : a.Name = "a"
keep.Add "a", a
Set a = Nothing
Set c = New Noisy : c.Name = "c"
Set keep("c") = c
Set c = Nothing
WScript.Echo "held", keep.Count
' expect: held 2
keep.Remove "a"
' expect: bye a
Set keep = Nothing
' expect: bye c
Set keep = CreateObject("Scripting.Dictionary")
keep.Add 1, New Noisy
keep(1).Name = "by RemoveAll"
keep.RemoveAll
' expect: bye by RemoveAll
WScript.Echo "done"
' expect: done

' Arrays cannot be keys.
On Error Resume Next
keep.Add Array(1), 1
WScript.Echo Err.Number, keep.Count
' expect: 13 0

' Text mode folds letters beyond ASCII too.
Set wide = CreateObject("Scripting.Dictionary")
wide.CompareMode = vbTextCompare
wide.Add "ＡＢＣ", 1
wide.Add "Éa", 2
WScript.Echo wide.Exists("ａｂｃ"), wide("éA"), wide.Count
' expect: -1 2 2
