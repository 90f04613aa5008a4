WScript.Echo "你好", WScript.Arguments.Count
