WScript.Arguments.ShowUsage
