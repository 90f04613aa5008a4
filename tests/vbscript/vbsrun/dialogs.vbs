' Batch mode answers dialogs at once: the default button, the default text.
r = MsgBox("问题？", vbYesNo + vbDefaultButton2)
WScript.Echo r, InputBox("名字？", , "默认"), WScript.Interactive
