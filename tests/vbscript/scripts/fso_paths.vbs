' FileSystemObject path text: nothing here touches the disk except
' GetAbsolutePathName's current folder.
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo TypeName(fso)
' expect: FileSystemObject

Sub Show(label, cases)
    Dim line, c
    line = label & ":"
    For Each c In cases
        line = line & " [" & Eval("fso." & label & "(""" & c & """)") & "]"
    Next
    WScript.Echo line
End Sub

Show "GetFileName", Array("/a/b.txt", "/a/b/", "b", "/", "", "C:\x\y.vbs", "C:\", "C:")
' expect: GetFileName: [b.txt] [b] [b] [] [] [y.vbs] [] []
Show "GetBaseName", Array("/a/报告.2024.txt", "/a/noext", "/a/.bashrc", "x.tar.gz", "")
' expect: GetBaseName: [报告.2024] [noext] [] [x.tar] []
Show "GetExtensionName", Array("/a/b.TXT", "/a/b", "/a.d/b", "x.tar.gz", "/a/b.")
' expect: GetExtensionName: [TXT] [] [] [gz] []
Show "GetParentFolderName", Array("/a/b/c.txt", "/a/b/", "/a", "/", "a", "a/b", "C:\x\y", "C:\x", "C:\", "//a")
' expect: GetParentFolderName: [/a/b] [/a] [/] [] [] [a] [C:\x] [C:\] [] [/]

WScript.Echo fso.BuildPath("/a", "b") & " " & fso.BuildPath("/a/", "b") & " " & fso.BuildPath("/a/", "/b") & " " & _
    fso.BuildPath("/", "b") & " " & fso.BuildPath("", "b") & " " & fso.BuildPath("C:\a", "b") & " " & fso.BuildPath("a", "")
' expect: /a/b /a/b /a/b /b b C:\a\b a/

' Relative paths are against the current folder; . and .. go by text.
here = fso.GetAbsolutePathName(".")
WScript.Echo here = CreateObject("Scripting.FileSystemObject").GetFolder(".").Path, Left(here, 1)
' expect: -1 /
WScript.Echo Mid(fso.GetAbsolutePathName("x/./y/../z"), Len(here) + 1), Mid(fso.GetAbsolutePathName("a\b"), Len(here) + 1)
' expect: /x/z /a/b
WScript.Echo fso.GetAbsolutePathName("/a/b/../../../c"), fso.GetAbsolutePathName("//a//b/"), fso.GetAbsolutePathName("C:\脚本\旧\..\新")
' expect: /c /a/b C:\脚本\新
WScript.Echo fso.GetAbsolutePathName("") = here
' expect: -1

' Drive names: a drive letter is text; an absolute path gives its mount point.
WScript.Echo fso.GetDriveName("C:\x") & "|" & fso.GetDriveName("rel/x") & "|" & Left(fso.GetDriveName("/"), 1)
' expect: C:||/
WScript.Echo fso.DriveExists("/"), fso.DriveExists("C:"), fso.DriveExists("no/such"), fso.DriveExists("/no/such/path")
' expect: -1 0 0 0

t = fso.GetTempName
WScript.Echo Left(t, 3), Len(t), Right(t, 4), fso.GetTempName <> fso.GetTempName Or fso.GetTempName <> fso.GetTempName
' expect: rad 12 .tmp -1
WScript.Echo fso.GetSpecialFolder(0), fso.GetSpecialFolder(1), TypeName(fso.GetSpecialFolder(2))
' expect: / /usr/bin Folder
WScript.Echo fso.FolderExists(fso.GetSpecialFolder(2))
' expect: -1
