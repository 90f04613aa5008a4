' Const declarations and the built-in constants.
Const Pi = 3.14159, Greeting = "hi", Big = 2 ^ 10
WScript.Echo Pi, Greeting, Big, Len(vbCrLf), Asc(vbLf), vbOKCancel, vbYes, vbString, vbBinaryCompare, vbTextCompare
' expect: 3.14159 hi 1024 2 10 1 6 8 0 1
Sub UseConst()
    Const Local = "local const"
    WScript.Echo Local, Greeting
End Sub
UseConst
' expect: local const hi
WScript.Echo vbSunday, vbSaturday, vbObjectError, vbRed, vbWhite, vbNullString = ""
' expect: 1 7 -2147221504 255 16777215 -1
' Every standard constant with its value and VarType (2 Integer, 3 Long, 8 String).
Sub Show(group, values)
    Dim line, v
    line = group & ":"
    For Each v In values
        line = line & " " & v & "/" & VarType(v)
    Next
    WScript.Echo line
End Sub
Show "buttons", Array(vbOKOnly, vbOKCancel, vbAbortRetryIgnore, vbYesNoCancel, vbYesNo, vbRetryCancel)
' expect: buttons: 0/2 1/2 2/2 3/2 4/2 5/2
Show "icons", Array(vbCritical, vbQuestion, vbExclamation, vbInformation)
' expect: icons: 16/2 32/2 48/2 64/2
Show "defaults", Array(vbDefaultButton1, vbDefaultButton2, vbDefaultButton3, vbDefaultButton4)
' expect: defaults: 0/2 256/2 512/2 768/2
Show "modes", Array(vbApplicationModal, vbSystemModal, vbMsgBoxHelpButton, vbMsgBoxSetForeground, vbMsgBoxRight, vbMsgBoxRtlReading)
' expect: modes: 0/2 4096/2 16384/2 65536/3 524288/3 1048576/3
Show "answers", Array(vbOK, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo)
' expect: answers: 1/2 2/2 3/2 4/2 5/2 6/2 7/2
Show "colours", Array(vbBlack, vbRed, vbGreen, vbYellow, vbBlue, vbMagenta, vbCyan, vbWhite)
' expect: colours: 0/3 255/3 65280/3 65535/3 16711680/3 16711935/3 16776960/3 16777215/3
Show "compare", Array(vbBinaryCompare, vbTextCompare, vbDatabaseCompare)
' expect: compare: 0/2 1/2 2/2
Show "days", Array(vbUseSystemDayOfWeek, vbSunday, vbMonday, vbTuesday, vbWednesday, vbThursday, vbFriday, vbSaturday)
' expect: days: 0/2 1/2 2/2 3/2 4/2 5/2 6/2 7/2
Show "weeks", Array(vbUseSystem, vbFirstJan1, vbFirstFourDays, vbFirstFullWeek)
' expect: weeks: 0/2 1/2 2/2 3/2
Show "formats", Array(vbGeneralDate, vbLongDate, vbShortDate, vbLongTime, vbShortTime)
' expect: formats: 0/2 1/2 2/2 3/2 4/2
Show "tristate", Array(vbUseDefault, vbTrue, vbFalse)
' expect: tristate: -2/2 -1/2 0/2
Show "vartypes", Array(vbEmpty, vbNull, vbInteger, vbLong, vbSingle, vbDouble, vbCurrency, vbDate, vbString)
' expect: vartypes: 0/2 1/2 2/2 3/2 4/2 5/2 6/2 7/2 8/2
Show "vartypes", Array(vbObject, vbError, vbBoolean, vbVariant, vbDataObject, vbDecimal, vbByte, vbArray)
' expect: vartypes: 9/2 10/2 11/2 12/2 13/2 14/2 17/2 8192/2
Show "misc", Array(vbObjectError)
' expect: misc: -2147221504/3
Show "strings", Array(Len(vbCr), Len(vbCrLf), Len(vbFormFeed), Len(vbLf), Len(vbNewLine), Len(vbNullChar), Len(vbNullString), Len(vbTab), Len(vbVerticalTab))
' expect: strings: 1/3 2/3 1/3 1/3 2/3 1/3 0/3 1/3 1/3
WScript.Echo VarType(vbCrLf), Asc(vbCr), Asc(vbFormFeed), Asc(vbVerticalTab), Asc(vbTab), vbNewLine = vbCrLf
' expect: 8 13 12 11 9 -1
