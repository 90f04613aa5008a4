' A GBK-encoded script, as the editor saves them.
WScript.Echo Len("中文字符"), AscW("中"), Left("中文字符", 1) = "中"
' expect: 4 20013 -1
