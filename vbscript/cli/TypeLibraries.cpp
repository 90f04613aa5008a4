#include "TypeLibraries.h"

#include "Text.h"

namespace vbsrun {
namespace {

// The Scripting library: FileSystemObject, Dictionary and TextStream.
const std::vector<LibraryConstant> kScripting = {
    {u"ForReading", 1}, {u"ForWriting", 2}, {u"ForAppending", 8},
    {u"TristateTrue", -1}, {u"TristateFalse", 0}, {u"TristateUseDefault", -2}, {u"TristateMixed", -2},
    {u"BinaryCompare", 0}, {u"TextCompare", 1}, {u"DatabaseCompare", 2},
    {u"Normal", 0}, {u"ReadOnly", 1}, {u"Hidden", 2}, {u"System", 4}, {u"Volume", 8}, {u"Directory", 16},
    {u"Archive", 32}, {u"Alias", 1024}, {u"Compressed", 2048},
    {u"UnknownType", 0}, {u"Removable", 1}, {u"Fixed", 2}, {u"Remote", 3}, {u"CDRom", 4}, {u"RamDisk", 5},
    {u"WindowsFolder", 0}, {u"SystemFolder", 1}, {u"TemporaryFolder", 2},
    {u"StdIn", 0}, {u"StdOut", 1}, {u"StdErr", 2},
};

// The script host's object model (WScript.Shell and friends).
const std::vector<LibraryConstant> kHostModel = {
    {u"WshRunning", 0}, {u"WshFinished", 1}, {u"WshFailed", 2},
    {u"WshHide", 0}, {u"WshNormalFocus", 1}, {u"WshMinimizedFocus", 2}, {u"WshMaximizedFocus", 3},
    {u"WshNormalNoFocus", 4}, {u"WshMinimizedNoFocus", 6},
};

}  // namespace

std::optional<std::vector<LibraryConstant>> typeLibrary(const std::u16string& objectOrGuid)
{
    std::u16string key = lowerAscii(objectOrGuid);
    if (key.size() > 2 && key.front() == u'{' && key.back() == u'}') key = key.substr(1, key.size() - 2);
    if (key.starts_with(u"scripting.") || key == u"420b2830-e718-11cf-893d-00a0c9054228") return kScripting;
    if (key.starts_with(u"wscript.") || key == u"f935dc20-1cf0-11d0-adb9-00c04fd58a0b") return kHostModel;
    if (key == u"vbscript.regexp" || key == u"3f4daca7-160d-11d2-a8e9-00104b365c9f")
        return std::vector<LibraryConstant>{};  // the regular expression library has no constants
    return std::nullopt;
}

}  // namespace vbsrun
