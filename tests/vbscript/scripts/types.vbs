' VarType and TypeName for every subtype; the Is* tests.
Dim e
Set o = Nothing
WScript.Echo VarType(e), VarType(Null), VarType(1), VarType(100000), VarType(CSng(1)), VarType(1.5), VarType(CCur(1)), VarType(Now), VarType("s"), VarType(o), VarType(True), VarType(CByte(1)), VarType(Array())
' expect: 0 1 2 3 4 5 6 7 8 9 11 17 8204
WScript.Echo TypeName(e), TypeName(Null), TypeName(o), TypeName(True), TypeName("")
' expect: Empty Null Nothing Boolean String
WScript.Echo IsEmpty(e), IsNull(Null), IsNumeric("12.5"), IsNumeric("1,000"), IsNumeric("abc"), IsNumeric(Empty), IsNumeric(Null)
' expect: -1 -1 -1 -1 0 -1 0
WScript.Echo IsDate("2000-01-01"), IsDate("hello"), IsDate(#1/1/2000#), IsObject(o), IsArray(e)
' expect: -1 0 -1 -1 0
WScript.Echo ScriptEngine, ScriptEngineMajorVersion >= 5, RGB(255, 0, 0), RGB(0, 0, 255), RGB(300, 0, 0)
' expect: VBScript -1 255 16711680 255
