// Scripting.FileSystemObject: path text, existence tests, copy/move/delete
// with wildcards in the last component, text files, File/Folder/Drive
// objects and the standard streams.
#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <random>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/objects/Factories.h"
#include "vbscript/objects/FsItems.h"
#include "vbscript/objects/FsPaths.h"
#include "vbscript/objects/TextStream.h"

namespace vbs {
namespace {

using namespace fsys;

// A path for an existence test: text that names nothing here is simply absent.
std::u16string probePath(const Value& v)
{
    std::u16string text = toStr(v);
    if (text.empty() || hasDriveLetter(text) || text.find(u'\0') != std::u16string::npos) return {};
    return diskPath(Value::str(text));
}

// The paths a source argument names: itself, or with "*"/"?" in its last
// component every matching entry of that kind.
std::vector<std::u16string> sources(const Value& spec, bool folders)
{
    std::u16string path = diskPath(spec);
    Kind want = folders ? Kind::Folder : Kind::File;
    int missing = folders ? ferr::PathNotFound : ferr::FileNotFound;
    std::u16string pattern = fileNamePart(path);
    if (!hasWildcard(pattern)) {
        Kind k = kindOf(path);
        if (k == Kind::None) raiseErrno(ENOENT, path, folders);
        if (k != want) raisePath(missing, path);
        return {path};
    }
    std::u16string dir = parentPart(path);
    if (kindOf(dir) != Kind::Folder) raisePath(ferr::PathNotFound, dir);
    std::vector<std::u16string> out;
    for (const std::u16string& name : listFolder(dir, want))
        if (wildcardMatch(pattern, name)) out.push_back(buildPath(dir, name));
    if (out.empty()) raisePath(missing, path);
    return out;
}

// CopyFile, MoveFile, CopyFolder, MoveFolder. The destination is a folder to
// put things in when the source has wildcards or it ends with a separator
// (or, for files, when it is a folder already).
void transfer(Args args, bool copy, bool folders)
{
    auto list = sources(args[0], folders);
    std::u16string dstText = toStr(args[1]);
    std::u16string dst = diskPath(args[1]);
    bool into = hasWildcard(fileNamePart(diskPath(args[0]))) || isSep(dstText.back()) ||
                (!folders && kindOf(dst) == Kind::Folder);
    if (into && kindOf(dst) != Kind::Folder) raisePath(ferr::PathNotFound, dst);
    bool overwrite = argBool(args, 2, true);
    for (const std::u16string& from : list) {
        std::u16string to = into ? buildPath(dst, fileNamePart(from)) : dst;
        if (!copy) moveItem(from, to, folders);
        else if (folders) copyFolder(from, to, overwrite);
        else copyFile(from, to, overwrite);
    }
}

std::u16string specialFolder(int which)
{
    switch (which) {
    case 0: return u"/";
    case 1: return u"/usr/bin";
    case 2: {
        const char* tmp = std::getenv("TMPDIR");
        if (tmp && *tmp) {
            std::u16string dir = absoluteName(fromNative(tmp));
            if (kindOf(dir) == Kind::Folder) return dir;
        }
        return u"/tmp";
    }
    default: raise(err::InvalidCall);
    }
}

class FileSystemObject : public NativeObject {
public:
    explicit FileSystemObject(Vm& vm) : vm_(vm), random_(std::random_device{}()) {}
    std::u16string typeName() const override { return u"FileSystemObject"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        switch (id) {
        case kBuildPath: arity(args, 2, 2); result = Value::str(buildPath(toStr(args[0]), toStr(args[1]))); return;
        case kGetAbsolutePathName: arity(args, 1, 1); result = Value::str(absoluteName(toStr(args[0]))); return;
        case kGetBaseName: arity(args, 1, 1); result = Value::str(baseNamePart(toStr(args[0]))); return;
        case kGetExtensionName: arity(args, 1, 1); result = Value::str(extensionPart(toStr(args[0]))); return;
        case kGetFileName: arity(args, 1, 1); result = Value::str(fileNamePart(toStr(args[0]))); return;
        case kGetParentFolderName: arity(args, 1, 1); result = Value::str(parentPart(toStr(args[0]))); return;
        case kGetTempName: {
            arity(args, 0, 0);
            static const char16_t hex[] = u"0123456789ABCDEF";
            std::u16string name = u"rad";
            for (int i = 0; i < 5; ++i) name += hex[random_() % 16];
            result = Value::str(name + u".tmp");
            return;
        }
        case kGetSpecialFolder: arity(args, 1, 1); result = makeFolder(specialFolder(toLong(args[0]))); return;
        case kFileExists: arity(args, 1, 1); result = Value::boolean(kindOf(probePath(args[0])) == Kind::File); return;
        case kFolderExists: arity(args, 1, 1); result = Value::boolean(kindOf(probePath(args[0])) == Kind::Folder); return;
        case kDriveExists: {
            arity(args, 1, 1);
            std::u16string text = toStr(args[0]);
            result = Value::boolean(!text.empty() && isSep(text[0]) && kindOf(probePath(args[0])) != Kind::None);
            return;
        }
        case kCopyFile: case kMoveFile: case kCopyFolder: case kMoveFolder: {
            bool copy = id == kCopyFile || id == kCopyFolder;
            arity(args, 2, copy ? 3 : 2);
            transfer(args, copy, id == kCopyFolder || id == kMoveFolder);
            return;
        }
        case kDeleteFile: case kDeleteFolder: {
            arity(args, 1, 2);
            bool folders = id == kDeleteFolder;
            for (const std::u16string& path : sources(args[0], folders)) {
                if (folders) deleteFolder(path, argBool(args, 1, false));
                else deleteFile(path, argBool(args, 1, false));
            }
            return;
        }
        case kCreateFolder: {
            arity(args, 1, 1);
            std::u16string path = diskPath(args[0]);
            if (kindOf(path) != Kind::None) raisePath(ferr::FileExists, path);
            if (kindOf(parentPart(path)) != Kind::Folder) raisePath(ferr::PathNotFound, path);
            if (::mkdir(native(path).c_str(), 0777) != 0) raiseErrno(errno, path, true);
            result = makeFolder(path);
            return;
        }
        case kCreateTextFile:
            arity(args, 1, 3);
            result = createTextFile(diskPath(args[0]), argBool(args, 1, true), argBool(args, 2, false));
            return;
        case kOpenTextFile:
            arity(args, 1, 4);
            result = openTextFile(diskPath(args[0]), argLong(args, 1, ForReading), argBool(args, 2, false),
                                  argLong(args, 3, TristateFalse));
            return;
        case kGetFile: case kGetFolder: {
            arity(args, 1, 1);
            std::u16string path = diskPath(args[0]);
            bool folder = id == kGetFolder;
            Kind k = kindOf(path);
            if (k == Kind::None) raiseErrno(ENOENT, path, folder);
            if (k != (folder ? Kind::Folder : Kind::File)) raisePath(folder ? ferr::PathNotFound : ferr::FileNotFound, path);
            result = folder ? makeFolder(path) : makeFile(path);
            return;
        }
        case kGetDrive: {
            arity(args, 1, 1);
            std::u16string text = toStr(args[0]);
            std::u16string path = probePath(args[0]);
            if (text.empty() || !isSep(text[0]) || kindOf(path) == Kind::None)
                raisePath(ferr::DeviceUnavailable, text);
            result = makeDrive(mountOf(path));
            return;
        }
        case kGetDriveName: {
            arity(args, 1, 1);
            std::u16string text = toStr(args[0]);
            if (hasDriveLetter(text)) result = Value::str(text.substr(0, 2));
            else if (!text.empty() && text[0] == u'/') result = Value::str(mountOf(absoluteName(text)).path);
            else result = Value::str(u"");
            return;
        }
        case kDrives: arity(args, 0, 0); result = makeDrives(); return;
        case kGetStandardStream: arity(args, 1, 2); result = standardStream(vm_, toLong(args[0])); return;
        case kGetFileVersion: {
            arity(args, 1, 1);
            std::u16string path = diskPath(args[0]);
            if (kindOf(path) != Kind::File) raisePath(ferr::FileNotFound, path);
            result = Value::str(u"");  // Linux programs carry no version resource
            return;
        }
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {
            u"buildpath", u"getabsolutepathname", u"getbasename", u"getextensionname", u"getfilename",
            u"getparentfoldername", u"gettempname", u"getspecialfolder", u"fileexists", u"folderexists",
            u"driveexists", u"copyfile", u"movefile", u"copyfolder", u"movefolder", u"deletefile",
            u"deletefolder", u"createfolder", u"createtextfile", u"opentextfile", u"getfile", u"getfolder",
            u"getdrive", u"getdrivename", u"drives", u"getstandardstream", u"getfileversion"};
        return names;
    }

private:
    enum {
        kBuildPath, kGetAbsolutePathName, kGetBaseName, kGetExtensionName, kGetFileName,
        kGetParentFolderName, kGetTempName, kGetSpecialFolder, kFileExists, kFolderExists,
        kDriveExists, kCopyFile, kMoveFile, kCopyFolder, kMoveFolder, kDeleteFile,
        kDeleteFolder, kCreateFolder, kCreateTextFile, kOpenTextFile, kGetFile, kGetFolder,
        kGetDrive, kGetDriveName, kDrives, kGetStandardStream, kGetFileVersion,
    };

    Vm& vm_;
    std::mt19937 random_;
};

}  // namespace

Value makeFileSystemObject(Vm& vm) { return Value::object(new FileSystemObject(vm)); }

}  // namespace vbs
