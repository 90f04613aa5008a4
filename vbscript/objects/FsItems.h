#pragma once
// The File, Folder and Drive objects, the Files, Folders and Drives
// collections, and the copy/move/delete work they share with
// FileSystemObject. Paths here are absolute, "/"-separated and normalised.
#include <optional>
#include <string>
#include <vector>

#include "vbscript/Value.h"

namespace vbs::fsys {

Value makeFile(std::u16string path);
Value makeFolder(std::u16string path);
Value makeDrives();

// A mount point standing in for a drive.
struct Mount {
    std::u16string path, device, type;
};
std::vector<Mount> drives();  // real file systems, sorted by path
Mount mountOf(std::u16string_view path);  // the nearest mount point above path
Value makeDrive(Mount m);

void copyFile(const std::u16string& from, const std::u16string& to, bool overwrite);
void copyFolder(const std::u16string& from, const std::u16string& to, bool overwrite);
// rename, or copy and delete across file systems; an existing target is 58.
void moveItem(const std::u16string& from, const std::u16string& to, bool folder);
void deleteFile(const std::u16string& path, bool force);
void deleteFolder(const std::u16string& path, bool force);

}  // namespace vbs::fsys
