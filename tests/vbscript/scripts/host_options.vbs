' Host options before the script name, in any case: batch mode answers
' dialogs at once without reading input, and the time limit is visible.
' host: //NOLOGO //b //T:30 //e:VBScript
' stdin: still unread
WScript.Echo WScript.Interactive, WScript.Timeout
' expect: 0 30
WScript.Echo MsgBox("silent", vbYesNoCancel + vbDefaultButton3), InputBox("silent", , "default")
' expect: 2 default
WScript.Echo Shell_Popup()
' expect: 1
Function Shell_Popup()
    Shell_Popup = CreateObject("WScript.Shell").Popup("silent", 0, "t", vbOKCancel)
End Function
WScript.Echo WScript.StdIn.ReadLine
' expect: still unread
WScript.Interactive = True
WScript.Echo MsgBox("shown")
' expect: shown
' expect: 1
