' WScript.Quit ends the script with its exit code.
WScript.Echo "one"
' expect: one
WScript.Quit 7
WScript.Echo "two"
' exit: 7
