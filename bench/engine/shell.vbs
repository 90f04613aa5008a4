' WScript.Shell: commands with their exit codes, commands read through
' Exec, and environment lookups.
Set sh = CreateObject("WScript.Shell")
total = 0
For i = 1 To 300
    total = total + sh.Run("exit 1", 0, True)
Next
For i = 1 To 300
    total = total + Len(sh.Exec("echo hello").StdOut.ReadAll)
Next
Set env = sh.Environment("PROCESS")
env("BENCH_X") = "abc"
For i = 1 To 100000
    total = total + Len(sh.ExpandEnvironmentStrings("%BENCH_X%/%BENCH_X%")) + Len(env("BENCH_X"))
Next
WScript.Echo total
