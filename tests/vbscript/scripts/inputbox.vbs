' InputBox asks on stderr and reads the answer from stdin; end of input is
' a cancel, which gives Empty.
' stdin: 42
name = InputBox("数字？")
again = InputBox("再来？")
WScript.Echo name * 2, IsEmpty(again)
' expect: 84 -1
' error: 数字？ 再来？ 
' exit: 0
