' Names ignore case; brackets allow any name; continuation and colons.
Dim Value, [my var]
VALUE = 1 : value = value + 1
[my var] = "bracketed"
WScript.Echo Value, [my var]
' expect: 2 bracketed
x = 1 + _
    2 + _
    3
WScript.Echo x
' expect: 6
Rem a Rem comment
WScript.Echo "quote "" inside" ' trailing comment
' expect: quote " inside
WScript.Echo &HFF, &H10&, &HFFFF, &O17, &17, 1.5E3, 2.5e-3, .5
' expect: 255 16 -1 15 15 1500 0.0025 0.5
WScript.Echo TypeName(32767), TypeName(32768), TypeName(2147483648), TypeName(&HFFFF&)
' expect: Integer Long Double Long
WScript.Echo #2003-01-02#, #1/2/2003 10:30:00 PM#, #13:05:00#
' expect: 2003/1/2 2003/1/2 22:30:00 13:05:00
WScript.Echo TypeName(#1/1/2000#)
' expect: Date
If True Then WScript.Echo "one" : WScript.Echo "line" Else WScript.Echo "no"
' expect: one
' expect: line
WScript.Echo "tab" & vbTab & "end"
' expect: tab	end
x = 1 : Rem a comment after a colon
If x Then y = 1 Else y = 2 ' comment after a single-line If
WScript.Echo y, &H8000, &HFFFFFFFF, &H7FFFFFFF, 1., 3.0E+2
' expect: 1 -32768 -1 2147483647 1 300
Dim [End], [a b]
[End] = "keyword as a bracketed name" : [a b] = 2
WScript.Echo [End], [a b] * 2
' expect: keyword as a bracketed name 4
WScript.Echo UCASE("mixed"), wscript.scriptname = WScript.ScriptName
' expect: MIXED -1
