' WScript.Shell.Run: commands go through /bin/sh; with wait the exit code
' comes back (128 + signal for a killed command), without wait 0 at once.
Set sh = CreateObject("WScript.Shell")
WScript.Echo TypeName(sh)
' expect: IWshShell3
WScript.Echo "before the command"
' expect: before the command
WScript.Echo sh.Run("echo from the command", 1, True)
' expect: from the command
' expect: 0
WScript.Echo sh.Run("exit 3", 0, True), sh.Run("kill -9 $$", , True)
' expect: 3 137
WScript.Echo sh.Run("no_such_program_here 2>/dev/null", , True)
' expect: 127
WScript.Echo VarType(sh.Run("exit 5", , True))
' expect: 3

' The command line is the shell's: redirection, pipes, variables.
sh.Run "printf 'one\ntwo\n' | wc -l > count.txt", , True
WScript.Echo sh.Exec("cat count.txt").StdOut.ReadLine
' expect: 2

' Without wait: 0 at once, the command finishes on its own.
WScript.Echo sh.Run("sleep 1; echo late > late.txt")
' expect: 0
WScript.Echo sh.Run("test -f late.txt", , True)
' expect: 1
tries = 0
Do While sh.Run("test -f late.txt", , True) <> 0 And tries < 100
    WScript.Sleep 100
    tries = tries + 1
Loop
WScript.Echo tries > 0, tries < 100
' expect: -1 -1

' The command does not read the script's standard input.
' stdin: kept for the script
WScript.Echo sh.Run("read line; test -z ""$line""", , True), WScript.StdIn.ReadLine
' expect: 0 kept for the script
