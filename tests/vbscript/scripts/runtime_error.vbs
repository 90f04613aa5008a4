' An uncaught runtime error: its line on stderr, exit code 1.
WScript.Echo "before"
' expect: before
Sub Deep()
    x = "a" * 1
End Sub
  Deep
WScript.Echo "not reached"
' error: runtime_error.vbs(5, 5) 第 5 行，第 5 列：运行时错误 13：类型不匹配
