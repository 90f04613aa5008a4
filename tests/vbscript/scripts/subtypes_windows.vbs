' Literal subtypes, and the subtypes and error numbers of a few functions.
' A literal takes the smallest subtype that holds its value, with or
' without a trailing &; up to four hex digits wrap at 16 bits.
WScript.Echo TypeName(&h10&), &h10&, TypeName(&hffFFffFF&), &hffFFffFF&, TypeName(&hffFF&), &hffFF&
' expect: Integer 16 Integer -1 Long 65535
WScript.Echo TypeName(&hFFFF), &hFFFF, TypeName(&hFFFFFFFF), &hFFFFFFFF, TypeName(&h8000&), TypeName(&o177777)
' expect: Integer -1 Integer -1 Long Integer
WScript.Echo TypeName(32767), TypeName(32768), TypeName(2147483647), TypeName(2147483648), TypeName(1.0)
' expect: Integer Long Long Double Double

' CSng keeps single precision; a Single prints with 7 digits.
WScript.Echo CSng(1.1), CDbl(CSng(1.1)), CSng(3.14159265358979), TypeName(CSng(1.1) * 2)
' expect: 1.1 1.10000002384186 3.141593 Single

' IsNumeric of an object looks at its default value.
Class NoDefault
    Public v
End Class
Class WithDefault
    Public Default Property Get Value()
        Value = "42"
    End Property
End Class
Class TextDefault
    Public Default Property Get Value()
        Value = "words"
    End Property
End Class
WScript.Echo IsNumeric(New WithDefault), IsNumeric(New TextDefault), IsNumeric(New NoDefault), IsNumeric(Nothing)
' expect: -1 0 0 0

' Mid and Join: Null gives 94 (or Null for Mid's string), objects without a
' default 438, arrays and other wrong kinds 13, bad numbers 5.
On Error Resume Next
Set nd = New NoDefault
Sub Check(label)
    WScript.Echo label, Err.Number
    Err.Clear
End Sub
x = Mid(Null, 1) : WScript.Echo IsNull(x)
' expect: -1
x = Mid("abc", Null) : Check "mid start Null"
' expect: mid start Null 94
x = Mid("abc", 1, Null) : Check "mid length Null"
' expect: mid length Null 94
x = Mid(nd, 1) : Check "mid object"
' expect: mid object 438
x = Mid(Array(1), 1) : Check "mid array"
' expect: mid array 13
x = Mid("abc", 0) : Check "mid start 0"
' expect: mid start 0 5
x = Mid("abc", 1, -1) : Check "mid length -1"
' expect: mid length -1 5
x = Mid("abc", "x") : Check "mid start text"
' expect: mid start text 13
WScript.Echo Mid(New WithDefault, 2)
' expect: 2
x = Join("abc") : Check "join text"
' expect: join text 13
x = Join(Array(1, 2), Null) : Check "join separator Null"
' expect: join separator Null 94
x = Join(Array(nd)) : Check "join object element"
' expect: join object element 438
x = Join(Array(Array(1))) : Check "join nested array"
' expect: join nested array 13
WScript.Echo Join(Array(New WithDefault, 1), "+")
' expect: 42+1
