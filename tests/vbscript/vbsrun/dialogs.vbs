' Dialogs answer with the default button and the default text when no one
' is there: under //B, or once the script sets WScript.Interactive to False.
r = MsgBox("问题？", vbYesNo + vbDefaultButton2)
WScript.Echo r, InputBox("名字？", , "默认"), WScript.Interactive
WScript.Interactive = False
WScript.Echo MsgBox("不显示", vbOKCancel), InputBox("不问", , "照旧"), WScript.Interactive
