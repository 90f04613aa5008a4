' Drives are mount points: the one holding a path, its sizes and kind.
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Try(code)
    On Error Resume Next
    Execute code
    WScript.Echo code & " -> " & Err.Number
End Sub

Set here = fso.GetFolder(".")
Set d = here.Drive
WScript.Echo TypeName(d), d.Path = fso.GetDriveName(here.Path), d = d.Path, "[" & d.DriveLetter & "]"
' expect: Drive -1 -1 []
WScript.Echo d.IsReady, d.TotalSize > 0, d.FreeSpace >= d.AvailableSpace, d.TotalSize >= d.FreeSpace, TypeName(d.TotalSize)
' expect: -1 -1 -1 -1 Double
t = d.DriveType
WScript.Echo t >= 0 And t <= 5, Len(d.FileSystem) > 0, TypeName(d.SerialNumber), TypeName(d.VolumeName)
' expect: -1 -1 Long String
WScript.Echo d.DriveType = 3 Or d.ShareName = "", d.RootFolder.IsRootFolder, d.RootFolder.Path = d.Path
' expect: -1 -1 -1
WScript.Echo fso.GetDrive("/").Path, fso.GetDrive(here.Path).Path = d.Path, fso.GetDrive(fso.GetDriveName(here.Path)).Path = d.Path
' expect: / -1 -1
WScript.Echo fso.GetFolder("/").Drive.Path, here.IsRootFolder
' expect: / 0
' The root folder of every drive has no parent folder.
WScript.Echo TypeName(d.RootFolder.ParentFolder), TypeName(fso.GetFolder("/").ParentFolder), TypeName(here.ParentFolder)
' expect: Nothing Nothing Folder
Try "fso.GetDrive ""C:"""
' expect: fso.GetDrive "C:" -> 68
Try "fso.GetDrive ""/no/such/place"""
' expect: fso.GetDrive "/no/such/place" -> 68
Try "fso.GetDrive ""relative"""
' expect: fso.GetDrive "relative" -> 68
Try "d.VolumeName = ""新卷"""
' expect: d.VolumeName = "新卷" -> 70
Try "d.Path = ""/x"""
' expect: d.Path = "/x" -> 445
