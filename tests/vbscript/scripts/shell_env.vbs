' WScript.Shell.Environment and ExpandEnvironmentStrings: the process
' environment, which commands started afterwards inherit.
Set sh = CreateObject("WScript.Shell")
Set env = sh.Environment("PROCESS")
WScript.Echo TypeName(env), env.Count > 0, env.Count = env.Length
' expect: IWshEnvironment -1 -1
env("QUILLON_T1") = "one two"
env.Item("QUILLON_T2") = 41
sh.Environment("Process")("QUILLON_T2") = 42
WScript.Echo env("QUILLON_T1") & "|" & env.Item("QUILLON_T2") & "|" & sh.Environment("Process")("QUILLON_T1")
' expect: one two|42|one two
WScript.Echo "[" & env("quillon_t1") & "]"
' expect: []
WScript.Echo sh.Exec("echo ""$QUILLON_T1/$QUILLON_T2""").StdOut.ReadLine
' expect: one two/42
WScript.Echo sh.Run("test ""$QUILLON_T2"" = 42", , True)
' expect: 0

' Every kind is this process's environment.
WScript.Echo sh.Environment("System")("QUILLON_T2"), sh.Environment("User")("QUILLON_T2"), sh.Environment("Volatile")("QUILLON_T2"), sh.Environment()("QUILLON_T2")
' expect: 42 42 42 42

' For Each gives NAME=value
found = False
For Each pair In env
    If pair = "QUILLON_T1=one two" Then found = True
Next
WScript.Echo found
' expect: -1

env.Remove "QUILLON_T2"
WScript.Echo "[" & env("QUILLON_T2") & "]", sh.Exec("echo ""[$QUILLON_T2]""").StdOut.ReadLine
' expect: [] []

' Unknown names stay as they are (their closing % may open the next name);
' names are case-sensitive.
WScript.Echo sh.ExpandEnvironmentStrings("%QUILLON_T1%, %NO_SUCH_NAME_Q%, %quillon_t1%, 100%, %%")
' expect: one two, %NO_SUCH_NAME_Q%, %quillon_t1%, 100%, %%
WScript.Echo sh.ExpandEnvironmentStrings("%NO_SUCH_NAME_Q%QUILLON_T1%") & "|" & sh.ExpandEnvironmentStrings("")
' expect: %NO_SUCH_NAME_Qone two|
