#pragma once
// Path text and file system helpers shared by FileSystemObject and its File,
// Folder, Drive and TextStream objects. Scripts see UTF-16 paths with "/"
// separators; the system sees UTF-8.
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "vbscript/Object.h"
#include "vbscript/Value.h"

namespace vbs::fsys {

// The file errors of the standard objects (the shared err:: list holds the
// language's own).
namespace ferr {
enum : int {
    BadFileName = 52, FileNotFound = 53, BadFileMode = 54, DeviceIO = 57, FileExists = 58,
    DiskFull = 61, PastEnd = 62, TooManyFiles = 67, DeviceUnavailable = 68, PermissionDenied = 70,
    DiskNotReady = 71, CrossDevice = 74, PathNotFound = 76,
};
}  // namespace ferr

inline bool isSep(char16_t c) { return c == u'/' || c == u'\\'; }

// "C:" or "C:\..." style: a Windows drive, which has no meaning here.
bool hasDriveLetter(std::u16string_view p);

// Text-only path pieces (both separators count; nothing is looked up).
std::u16string fileNamePart(std::u16string_view p);
std::u16string baseNamePart(std::u16string_view p);
std::u16string extensionPart(std::u16string_view p);
std::u16string parentPart(std::u16string_view p);
std::u16string buildPath(std::u16string_view p, std::u16string_view name);

// A path a script passed for a disk operation: "\" becomes "/", relative
// paths are taken against the current folder, "." and ".." are resolved
// by text. Raises 5 for an empty path, 52 for a NUL, 76 for a drive letter.
std::u16string diskPath(const Value& arg);
// The absolute form GetAbsolutePathName reports (drive paths stay text).
std::u16string absoluteName(std::u16string_view p);

std::string native(std::u16string_view p);
std::u16string fromNative(std::string_view bytes);

// The error raised for a failed call on path, with the path in the detail.
[[noreturn]] void raisePath(int number, std::u16string_view path);
// errno to the standard number: ENOENT is 53 when the folder holding path
// exists (or 76 when folder is set), 76 otherwise.
[[noreturn]] void raiseErrno(int e, std::u16string_view path, bool folder = false);
int errnoNumber(int e);

// The path with links resolved, or path itself when that fails.
std::u16string realPath(std::u16string_view path);
// A pattern for mkstemp: a hidden name beside path, in the same folder.
std::string tempBeside(std::u16string_view path);

enum class Kind { None, File, Folder };
Kind kindOf(std::u16string_view path);  // follows symbolic links
bool isReadOnlyMode(unsigned mode);

// "*" and "?" in the last path component.
bool hasWildcard(std::u16string_view name);
bool wildcardMatch(std::u16string_view pattern, std::u16string_view name);
// Names in folder (not "." and ".."), sorted, of the given kind or any kind
// when want is None. Raises for an unreadable folder.
std::vector<std::u16string> listFolder(std::u16string_view folder, Kind want);

// Optional arguments: absent or skipped ones give the fallback.
bool argBool(const Args& args, int i, bool fallback);
int argLong(const Args& args, int i, int fallback);

// Local time of a file time as a date serial.
double dateOf(std::time_t seconds);

}  // namespace vbs::fsys
