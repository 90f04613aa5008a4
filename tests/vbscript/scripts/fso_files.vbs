' Files and folders: create, inspect, rename, copy, move, delete, and the
' errors of each (the script runs in an empty folder of its own).
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Set top = fso.CreateFolder("top")
WScript.Echo TypeName(top), top.Name, top = fso.GetAbsolutePathName("top"), fso.FolderExists("top"), fso.FileExists("top")
' expect: Folder top -1 -1 0
Set ts = top.CreateTextFile("a.txt")
ts.Write "12345"
ts.Close
Set f = fso.GetFile("top/a.txt")
WScript.Echo TypeName(f), f.Name, f.Size, f.Path = top.Path & "/a.txt", f.ParentFolder.Name, f.Type
' expect: File a.txt 5 -1 top 文本文档
WScript.Echo f.ShortName, f.ShortPath = f.Path, TypeName(f.DateCreated), TypeName(f.DateLastModified), TypeName(f.DateLastAccessed)
' expect: a.txt -1 Date Date Date
WScript.Echo Abs(DateDiff("n", f.DateLastModified, Now)) < 10, TypeName(f.Drive), f.Drive.Path = top.Drive.Path
' expect: -1 Drive -1
WScript.Echo fso.FileExists("top\a.txt"), fso.FileExists("top/none.txt"), fso.FileExists(""), fso.FolderExists("C:\top")
' expect: -1 0 0 0

' Attributes: ReadOnly follows the write permission, Hidden a leading dot.
WScript.Echo f.Attributes, top.Attributes
' expect: 32 16
f.Attributes = f.Attributes Or 1
WScript.Echo f.Attributes
' expect: 33
Try "fso.DeleteFile ""top/a.txt"""
' expect: fso.DeleteFile "top/a.txt" -> 70
Try "fso.CreateTextFile ""top/a.txt"", True"
' expect: fso.CreateTextFile "top/a.txt", True -> 70
f.Attributes = 0
WScript.Echo f.Attributes
' expect: 32
fso.CreateTextFile("top/.hidden").Close
WScript.Echo fso.GetFile("top/.hidden").Attributes
' expect: 34

' Renaming through Name; the object follows the file.
f.Name = "b.txt"
WScript.Echo f.Name, fso.FileExists("top/a.txt"), fso.FileExists("top/b.txt"), f.Size
' expect: b.txt 0 -1 5
Try "fso.GetFile(""top/b.txt"").Name = ""b.txt"""
' expect: fso.GetFile("top/b.txt").Name = "b.txt" -> 0
Try "fso.GetFile(""top/b.txt"").Name = "".hidden"""
' expect: fso.GetFile("top/b.txt").Name = ".hidden" -> 58
Try "fso.GetFile(""top/b.txt"").Name = ""x/y"""
' expect: fso.GetFile("top/b.txt").Name = "x/y" -> 52

' Copy and Move on the objects and on FileSystemObject.
f.Copy "top/c.txt"
WScript.Echo fso.GetFile("top/c.txt").Size
' expect: 5
Try "fso.GetFile(""top/b.txt"").Copy ""top/c.txt"", False"
' expect: fso.GetFile("top/b.txt").Copy "top/c.txt", False -> 58
fso.CreateFolder "dest"
fso.CopyFile "top/c.txt", "dest/"
fso.CopyFile "top/c.txt", "dest/d.txt"
fso.MoveFile "dest/d.txt", "dest/e.txt"
WScript.Echo fso.FileExists("dest/c.txt"), fso.FileExists("dest/d.txt"), fso.FileExists("dest/e.txt")
' expect: -1 0 -1
Try "fso.MoveFile ""dest/c.txt"", ""dest/e.txt"""
' expect: fso.MoveFile "dest/c.txt", "dest/e.txt" -> 58
Try "fso.CopyFile ""top/c.txt"", ""dest/e.txt"", False"
' expect: fso.CopyFile "top/c.txt", "dest/e.txt", False -> 58
Try "fso.CopyFile ""top/none.txt"", ""dest/"""
' expect: fso.CopyFile "top/none.txt", "dest/" -> 53
Try "fso.CopyFile ""top/c.txt"", ""nowhere/"""
' expect: fso.CopyFile "top/c.txt", "nowhere/" -> 76
f.Move "dest/"
WScript.Echo f.Path = fso.GetAbsolutePathName("dest/b.txt"), fso.FileExists("top/b.txt")
' expect: -1 0

' Folders: size of everything below, copy, move, delete.
fso.CreateFolder "top/sub"
Set ts = fso.CreateTextFile("top/sub/deep.txt")
ts.Write "abcdefg"
ts.Close
WScript.Echo top.Size, top.SubFolders.Count, top.Files.Count, top.IsRootFolder, fso.GetFolder("/").IsRootFolder
' expect: 12 1 2 0 -1
WScript.Echo top.ParentFolder.Path = fso.GetAbsolutePathName("."), TypeName(fso.GetFolder("/").ParentFolder), top.Type
' expect: -1 Nothing 文件夹
fso.CopyFolder "top", "copy"
WScript.Echo fso.GetFolder("copy").Size, fso.FileExists("copy/sub/deep.txt")
' expect: 12 -1
top.Copy "copy2"
fso.MoveFolder "copy2", "dest/"
WScript.Echo fso.FolderExists("copy2"), fso.FileExists("dest/copy2/sub/deep.txt")
' expect: 0 -1
Try "fso.MoveFolder ""copy"", ""dest/copy2"""
' expect: fso.MoveFolder "copy", "dest/copy2" -> 58
Try "fso.CopyFolder ""top"", ""top/sub/inner"""
' expect: fso.CopyFolder "top", "top/sub/inner" -> 70
Try "fso.CreateFolder ""top"""
' expect: fso.CreateFolder "top" -> 58
Try "fso.CreateFolder ""no/such/parent"""
' expect: fso.CreateFolder "no/such/parent" -> 76
Try "fso.GetFolder ""nothing"""
' expect: fso.GetFolder "nothing" -> 76
Try "fso.GetFile ""top"""
' expect: fso.GetFile "top" -> 53
Try "fso.GetFile ""top/sub/none.txt"""
' expect: fso.GetFile "top/sub/none.txt" -> 53
Try "fso.GetFile ""none/none.txt"""
' expect: fso.GetFile "none/none.txt" -> 76
Try "fso.GetFile ""C:\boot.ini"""
' expect: fso.GetFile "C:\boot.ini" -> 76
Try "fso.GetFile """""
' expect: fso.GetFile "" -> 5
Set moved = fso.GetFolder("copy")
moved.Move "moved"
WScript.Echo moved.Name, fso.FolderExists("copy")
' expect: moved 0
moved.Name = "renamed"
WScript.Echo moved.Name, fso.FolderExists("renamed")
' expect: renamed -1
moved.Delete
fso.DeleteFolder "dest"
Try "fso.DeleteFolder ""dest"""
' expect: fso.DeleteFolder "dest" -> 76
Try "fso.DeleteFile ""top/none.txt"""
' expect: fso.DeleteFile "top/none.txt" -> 53
Try "fso.DeleteFile ""none/none.txt"""
' expect: fso.DeleteFile "none/none.txt" -> 76
Try "x = fso.GetFile(""renamed"").Size"
' expect: x = fso.GetFile("renamed").Size -> 53
WScript.Echo fso.GetFolder(".").SubFolders.Count
' expect: 1
Try "top.Files.Item(""none"")"
' expect: top.Files.Item("none") -> 53
Try "top.SubFolders.Item(""none"")"
' expect: top.SubFolders.Item("none") -> 76
Try "top.OpenAsTextStream"
' expect: top.OpenAsTextStream -> 438
Try "fso.GetFile(""top/c.txt"").SubFolders"
' expect: fso.GetFile("top/c.txt").SubFolders -> 438
fso.GetFile("top/c.txt").Delete
top.Delete
WScript.Echo fso.FolderExists("top")
' expect: 0
