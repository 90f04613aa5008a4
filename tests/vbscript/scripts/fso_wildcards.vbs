' "*" and "?" in the last component of CopyFile, MoveFile, DeleteFile and
' their folder forms; a pattern that matches nothing is an error.
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Sub List(dir)
    Dim line, f
    line = dir & ":"
    For Each f In fso.GetFolder(dir).Files
        line = line & " " & f.Name
    Next
    For Each f In fso.GetFolder(dir).SubFolders
        line = line & " " & f.Name & "/"
    Next
    WScript.Echo line
End Sub

fso.CreateFolder "src"
For Each n In Array("a1.txt", "a2.txt", "b1.txt", "a10.log", "notes")
    fso.CreateTextFile("src/" & n).Close
Next
fso.CreateFolder "src/d1"
fso.CreateFolder "src/d2"
fso.CreateFolder "src/e1"
fso.CreateFolder "out"

fso.CopyFile "src/a?.txt", "out"
List "out"
' expect: out: a1.txt a2.txt
fso.CopyFile "src\*.*", "out\"
List "out"
' expect: out: a1.txt a10.log a2.txt b1.txt notes
fso.DeleteFile "out/a*"
List "out"
' expect: out: b1.txt notes
fso.MoveFile "out/*1.txt", "src/d1"
List "src/d1"
' expect: src/d1: b1.txt
fso.CopyFolder "src/d*", "out"
List "out"
' expect: out: notes d1/ d2/
List "out/d1"
' expect: out/d1: b1.txt
fso.MoveFolder "out/d?", "src/e1/"
List "src/e1"
' expect: src/e1: d1/ d2/
fso.DeleteFolder "src/e*"
List "src"
' expect: src: a1.txt a10.log a2.txt b1.txt notes d1/ d2/

Try "fso.CopyFile ""src/z*"", ""out"""
' expect: fso.CopyFile "src/z*", "out" -> 53
Try "fso.DeleteFile ""src/*.none"""
' expect: fso.DeleteFile "src/*.none" -> 53
Try "fso.DeleteFolder ""src/z*"""
' expect: fso.DeleteFolder "src/z*" -> 76
Try "fso.MoveFile ""src/*.txt"", ""missing"""
' expect: fso.MoveFile "src/*.txt", "missing" -> 76
Try "fso.CopyFile ""nowhere/*.txt"", ""out"""
' expect: fso.CopyFile "nowhere/*.txt", "out" -> 76
Try "fso.CopyFile ""src/a1.txt"", ""out/notes"", False"
' expect: fso.CopyFile "src/a1.txt", "out/notes", False -> 58
' Patterns name files or folders only: "d*" as files matches nothing.
Try "fso.DeleteFile ""src/d*"""
' expect: fso.DeleteFile "src/d*" -> 53
