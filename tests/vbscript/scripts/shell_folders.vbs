' WScript.Shell.CurrentDirectory, SpecialFolders (the XDG user folders) and
' Popup through vbsrun's console host.
Set sh = CreateObject("WScript.Shell")
start = sh.CurrentDirectory
WScript.Echo Left(start, 1), start = sh.Exec("pwd -P").StdOut.ReadLine
' expect: / -1
sh.Run "mkdir sub", , True
sh.CurrentDirectory = "sub"
WScript.Echo sh.CurrentDirectory = start & "/sub", sh.Exec("basename ""$PWD""").StdOut.ReadLine
' expect: -1 sub
sh.CurrentDirectory = ".."
WScript.Echo sh.CurrentDirectory = start
' expect: -1

' The folders come from user-dirs.dirs under XDG_CONFIG_HOME, with the
' standard defaults for what it leaves out.
Set env = sh.Environment("PROCESS")
env("HOME") = "/home/qtest"
env("XDG_CONFIG_HOME") = start
env.Remove "XDG_DATA_HOME"
sh.Run "printf '# made by the test\nXDG_DESKTOP_DIR=""$HOME/Schreibtisch""\nXDG_DOCUMENTS_DIR=""/srv/docs""\n' > user-dirs.dirs", , True
Set sf = sh.SpecialFolders
WScript.Echo TypeName(sf), sf.Count, sf.Count = sf.length
' expect: IWshCollection 10 -1
WScript.Echo sh.SpecialFolders("Desktop"), sf("mydocuments"), sf.Item("Templates")
' expect: /home/qtest/Schreibtisch /srv/docs /home/qtest/Templates
WScript.Echo sf("Fonts"), sf("Programs"), sf("StartMenu")
' expect: /home/qtest/.local/share/fonts /home/qtest/.local/share/applications /home/qtest/.local/share/applications
WScript.Echo sf("Startup") = start & "/autostart", sf("AllUsersStartup"), sf("AllUsersPrograms")
' expect: -1 /etc/xdg/autostart /usr/share/applications
WScript.Echo "[" & sf("Favorites") & "][" & sf("NoSuchFolder") & "]", sf(3)
' expect: [][] /home/qtest/Schreibtisch
n = 0
For Each f In sf
    If Left(f, 1) = "/" Then n = n + 1
Next
WScript.Echo n
' expect: 10

' Popup: the console host prints the text and takes the first button.
WScript.Echo sh.Popup("Question?", 5, "Title", vbYesNo + vbQuestion)
' expect: Question?
' expect: 6
WScript.Echo sh.Popup("Note")
' expect: Note
' expect: 1
