' The Files, Folders and Drives collections: Count, Item, For Each in name
' order, Folders.Add; they read the folder again on every use.
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Set top = fso.CreateFolder("top")
Set files = top.Files
Set folders = top.SubFolders
WScript.Echo TypeName(files), TypeName(folders), files.Count, folders.Count
' expect: Files Folders 0 0
For Each n In Array("b.txt", "a.txt", "中.txt", "C.txt")
    top.CreateTextFile(n).Close
Next
Set made = folders.Add("sub2")
folders.Add "sub1"
WScript.Echo files.Count, folders.Count, TypeName(made), made.Name
' expect: 4 2 Folder sub2
line = ""
For Each f In files
    line = line & f.Name & " "
Next
For Each f In folders
    line = line & f & " "
Next
WScript.Echo Replace(line, top.Path & "/", "")
' expect: C.txt a.txt b.txt 中.txt sub1 sub2 
WScript.Echo files("a.txt").Name, files.Item("中.txt").Size, folders("sub1").Files.Count, TypeName(files("b.txt"))
' expect: a.txt 0 0 File
Try "folders.Add ""sub1"""
' expect: folders.Add "sub1" -> 58
Try "folders.Add ""a.txt"""
' expect: folders.Add "a.txt" -> 58
Try "files.Add ""x"""
' expect: files.Add "x" -> 438
Try "x = files(""sub1"")"
' expect: x = files("sub1") -> 53
Try "x = folders(""a.txt"")"
' expect: x = folders("a.txt") -> 76
Try "x = files("""")"
' expect: x = files("") -> 5
Try "files.Count = 3"
' expect: files.Count = 3 -> 445
fso.DeleteFolder "top"
Try "x = files.Count"
' expect: x = files.Count -> 76

' Drives: one per mounted file system, the root among them.
Set drives = fso.Drives
n = 0
hasRoot = False
For Each d In drives
    n = n + 1
    If d.Path = "/" Then hasRoot = True
Next
WScript.Echo TypeName(drives), n = drives.Count, hasRoot, drives("/").Path, TypeName(drives.Item("/"))
' expect: Drives -1 -1 / Drive
Try "x = drives(""C:"")"
' expect: x = drives("C:") -> 68
