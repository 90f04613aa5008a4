' Named arguments (/name:value, /name+, /name-, /name) and the rest.
' args: /server:db1 /Verbose+ /quiet- /dry "two words" '/path:"C:\x y"' plain -x / /SERVER:db2
Set args = WScript.Arguments
Set named = args.Named
Set unnamed = args.Unnamed
WScript.Echo args.Count, args.Length, named.Count, named.Length, unnamed.Count, unnamed.Length
' expect: 10 10 5 5 4 4
WScript.Echo named("server"), named.Item("SERVER"), TypeName(named("verbose")), named("Verbose"), named("quiet")
' expect: db2 db2 Boolean -1 0
WScript.Echo named.Exists("DRY"), IsEmpty(named("dry")), named.Exists("nothing"), IsEmpty(named("nothing"))
' expect: -1 -1 0 -1
WScript.Echo named("path")
' expect: C:\x y
For Each name In named
    WScript.Echo "named:", name
Next
' expect: named: server
' expect: named: Verbose
' expect: named: quiet
' expect: named: dry
' expect: named: path
For Each arg In unnamed
    WScript.Echo "unnamed:", arg
Next
' expect: unnamed: two words
' expect: unnamed: plain
' expect: unnamed: -x
' expect: unnamed: /
WScript.Echo args(0), args.Item(9), unnamed(0), args.Named("dry") = Empty, args.Unnamed(3)
' expect: /server:db1 /SERVER:db2 two words -1 /
On Error Resume Next
x = unnamed(4)
WScript.Echo "past the end:", Err.Number
' expect: past the end: 9
Err.Clear
named.Item("x") = 1
WScript.Echo "assigning:", Err.Number
' expect: assigning: 445
On Error GoTo 0
args.ShowUsage
' expect: 用法：arguments_named.vbs
