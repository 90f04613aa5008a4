' WScript.Shell.Exec: the command's StdIn, StdOut and StdErr as streams,
' its Status, ExitCode and ProcessID.
Set sh = CreateObject("WScript.Shell")
Set e = sh.Exec("printf 'first\r\nsecond\nthird'; echo problem >&2; exit 4")
WScript.Echo TypeName(e), TypeName(e.StdOut), TypeName(e.StdIn), e.ProcessID > 0
' expect: WshExec TextStream TextStream -1
WScript.Echo e.StdOut.ReadLine & "|" & e.StdOut.ReadLine & "|" & e.StdOut.AtEndOfStream
' expect: first|second|False
WScript.Echo e.StdOut.ReadLine & "|" & e.StdOut.AtEndOfStream
' expect: third|True
WScript.Echo e.StdErr.ReadAll
' expect: problem
' expect:
Do While e.Status = 0
    WScript.Sleep 10
Loop
WScript.Echo e.Status, e.ExitCode
' expect: 1 4

' Read, Skip and SkipLine
Set e = sh.Exec("printf 'abcdef\nskipped\nlast\n'")
a = e.StdOut.Read(2)
e.StdOut.Skip 1
b = e.StdOut.Read(2)
e.StdOut.SkipLine
e.StdOut.SkipLine
WScript.Echo a & b & "|" & e.StdOut.ReadAll & "|"
' expect: abde|last
' expect: |

' StdIn to cat, with text outside ASCII
Set c = sh.Exec("cat")
c.StdIn.Write "hello "
c.StdIn.WriteLine ChrW(20320) & ChrW(22909)
c.StdIn.WriteBlankLines 1
c.StdIn.Close
s = c.StdOut.ReadAll
WScript.Echo Len(s), AscW(Mid(s, 7, 1)), Right(s, 2) = vbLf & vbLf
' expect: 10 20320 -1

' GBK output (not valid UTF-8) is read as GBK: C4 E3 BA C3 is "ni hao".
s = sh.Exec("printf '\304\343\272\303\n'").StdOut.ReadLine
WScript.Echo Len(s), AscW(s) = 20320
' expect: 2 -1

' Much on StdErr while the script reads StdOut to the end: no deadlock.
Set big = sh.Exec("head -c 500000 /dev/zero | tr '\0' x >&2; echo out done")
WScript.Echo big.StdOut.ReadAll
' expect: out done
' expect:
WScript.Echo Len(big.StdErr.ReadAll)
' expect: 500000

' Much on StdIn to a command answering on StdOut, read only afterwards.
Set c = sh.Exec("cat")
c.StdIn.Write String(300000, "y")
c.StdIn.Close
WScript.Echo Len(c.StdOut.ReadAll)
' expect: 300000

' Terminate ends the command's whole process group.
Set t = sh.Exec("sleep 30; echo never")
t.Terminate
WScript.Echo t.Status, t.ExitCode, t.StdOut.AtEndOfStream
' expect: 1 137 -1

' Stream taken from an Exec that is already gone
WScript.Echo sh.Exec("echo kept").StdOut.ReadLine
' expect: kept
