#include "vbscript/objects/FsItems.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/objects/FsPaths.h"
#include "vbscript/objects/TextStream.h"

namespace vbs::fsys {
namespace {

Value countValue(double n)
{
    return n <= INT32_MAX ? Value::lng(static_cast<std::int32_t>(n)) : Value::dbl(n);
}

std::string unescapeMount(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '3') {
            out += static_cast<char>((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 + (s[i + 3] - '0'));
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool pseudoFileSystem(const std::string& type)
{
    static const char* const kinds[] = {
        "proc", "sysfs", "cgroup", "cgroup2", "devpts", "mqueue", "securityfs", "debugfs", "tracefs",
        "pstore", "bpf", "configfs", "fusectl", "hugetlbfs", "autofs", "binfmt_misc", "efivarfs",
        "selinuxfs", "nsfs", "rpc_pipefs", "devtmpfs", "overlayfs-internal", "ramfs-internal"};
    for (const char* k : kinds)
        if (type == k) return true;
    return false;
}

// Every mount, the last one on a path winning (it hides the earlier ones).
std::vector<Mount> allMounts()
{
    std::map<std::u16string, Mount> byPath;
    std::ifstream in("/proc/self/mounts");
    std::string device, dir, type, rest;
    while (in >> device >> dir >> type) {
        std::getline(in, rest);
        Mount m{fromNative(unescapeMount(dir)), fromNative(unescapeMount(device)), fromNative(type)};
        byPath[m.path] = m;
    }
    if (byPath.empty()) byPath[u"/"] = Mount{u"/", u"", u""};
    std::vector<Mount> out;
    for (auto& [path, m] : byPath) out.push_back(m);
    return out;
}

bool under(std::u16string_view path, std::u16string_view top)
{
    if (top == u"/") return true;
    return path.starts_with(top) && (path.size() == top.size() || path[top.size()] == u'/');
}

struct stat statOrRaise(const std::u16string& path, bool folder)
{
    struct stat st;
    if (::stat(native(path).c_str(), &st) != 0) raiseErrno(errno, path, folder);
    if (S_ISDIR(st.st_mode) != folder) raisePath(folder ? ferr::PathNotFound : ferr::FileNotFound, path);
    return st;
}

double birthTime(const std::u16string& path, const struct stat& st)
{
    struct statx sx;
    if (::statx(AT_FDCWD, native(path).c_str(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME))
        return dateOf(static_cast<std::time_t>(sx.stx_btime.tv_sec));
    return dateOf(st.st_ctime);  // the file system keeps no creation time
}

double folderSize(const std::u16string& path)
{
    double total = 0;
    for (const std::u16string& name : listFolder(path, Kind::None)) {
        std::u16string child = buildPath(path, name);
        struct stat st;
        if (::lstat(native(child).c_str(), &st) != 0) continue;
        if (S_ISDIR(st.st_mode)) total += folderSize(child);
        else total += static_cast<double>(st.st_size);
    }
    return total;
}

std::u16string typeText(const std::u16string& path, bool folder)
{
    if (folder) return u"文件夹";
    std::u16string ext = toLower(extensionPart(path));
    static const std::pair<const char16_t*, const char16_t*> known[] = {
        {u"txt", u"文本文档"}, {u"log", u"文本文档"}, {u"vbs", u"VBScript 脚本文件"},
        {u"js", u"JavaScript 文件"}, {u"htm", u"HTML 文档"}, {u"html", u"HTML 文档"},
        {u"ini", u"配置设置"}, {u"bat", u"批处理文件"}, {u"csv", u"CSV 文件"}};
    for (auto& [e, text] : known)
        if (ext == e) return text;
    return ext.empty() ? u"文件" : toUpper(ext) + u" 文件";
}

class DriveObject : public NativeObject {
public:
    explicit DriveObject(Mount m) : m_(std::move(m)) {}
    std::u16string typeName() const override { return u"Drive"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (id == kDefaultMember) id = kPath;
        if (kind == Invoke::Let || kind == Invoke::Set) {
            if (id == kVolumeName) raisePath(ferr::PermissionDenied, m_.path);
            raise(err::NoSuchAction);
        }
        arity(args, 0, 0);
        struct statvfs vs{};
        bool ready = ::statvfs(native(m_.path).c_str(), &vs) == 0;
        bool needsReady = id == kFileSystem || id == kFreeSpace || id == kAvailableSpace || id == kTotalSize ||
                          id == kSerialNumber || id == kVolumeName || id == kRootFolder;
        if (needsReady && !ready) raisePath(ferr::DiskNotReady, m_.path);
        double unit = static_cast<double>(vs.f_frsize ? vs.f_frsize : vs.f_bsize);
        switch (id) {
        case kPath: result = Value::str(m_.path); return;
        case kDriveLetter: result = Value::str(u""); return;
        case kDriveType: result = Value::lng(driveType()); return;
        case kFileSystem: result = Value::str(m_.type); return;
        case kFreeSpace: result = Value::dbl(unit * static_cast<double>(vs.f_bfree)); return;
        case kAvailableSpace: result = Value::dbl(unit * static_cast<double>(vs.f_bavail)); return;
        case kTotalSize: result = Value::dbl(unit * static_cast<double>(vs.f_blocks)); return;
        case kIsReady: result = Value::boolean(ready); return;
        case kRootFolder: result = makeFolder(m_.path); return;
        case kSerialNumber: result = Value::lng(static_cast<std::int32_t>(static_cast<std::uint32_t>(vs.f_fsid))); return;
        case kShareName: result = Value::str(driveType() == 3 ? m_.device : u""); return;
        case kVolumeName: result = Value::str(u""); return;
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"path", u"driveletter", u"drivetype", u"filesystem",
                                                u"freespace", u"availablespace", u"totalsize", u"isready",
                                                u"rootfolder", u"serialnumber", u"sharename", u"volumename"};
        return names;
    }

private:
    enum {
        kPath, kDriveLetter, kDriveType, kFileSystem, kFreeSpace, kAvailableSpace, kTotalSize, kIsReady,
        kRootFolder, kSerialNumber, kShareName, kVolumeName,
    };

    // 0 unknown, 1 removable, 2 fixed, 3 network, 4 CD-ROM, 5 RAM disk.
    int driveType() const
    {
        const std::u16string& t = m_.type;
        if (t == u"nfs" || t == u"nfs4" || t == u"cifs" || t == u"smb3" || t == u"smbfs" || t == u"9p" ||
            t == u"fuse.sshfs" || t == u"afs" || t == u"ceph")
            return 3;
        if (t == u"iso9660" || t == u"udf") return 4;
        if (t == u"tmpfs" || t == u"ramfs") return 5;
        if (m_.device.starts_with(u"/dev/")) {
            std::string dev = native(m_.device.substr(5));
            for (std::string name = dev; !name.empty(); name.pop_back()) {
                std::ifstream f("/sys/class/block/" + name + "/removable");
                int removable = 0;
                if (f >> removable) return removable ? 1 : 2;
            }
            return 2;
        }
        return t.empty() ? 0 : 2;
    }

    Mount m_;
};

// File and Folder share one member table; each refuses the other's members.
class ItemObject : public NativeObject {
public:
    ItemObject(std::u16string path, bool folder) : path_(std::move(path)), folder_(folder) {}
    std::u16string typeName() const override { return folder_ ? u"Folder" : u"File"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (id == kDefaultMember) id = kPath;
        bool fileOnly = id == kOpenAsTextStream;
        bool folderOnly = id >= kFiles && id <= kCreateTextFile;
        if (id < 0 || (fileOnly && folder_) || (folderOnly && !folder_)) raise(err::NoSuchMember);
        if (kind == Invoke::Let || kind == Invoke::Set) {
            arity(args, 1, 1);
            if (id == kName) rename(toStr(args[0]));
            else if (id == kAttributes) setAttributes(toLong(args[0]));
            else raise(err::NoSuchAction);
            return;
        }
        switch (id) {
        case kPath: arity(args, 0, 0); result = Value::str(path_); return;
        case kName: case kShortName: arity(args, 0, 0); result = Value::str(fileNamePart(path_)); return;
        case kShortPath: arity(args, 0, 0); result = Value::str(path_); return;
        case kSize: {
            arity(args, 0, 0);
            struct stat st = statOrRaise(path_, folder_);
            result = countValue(folder_ ? folderSize(path_) : static_cast<double>(st.st_size));
            return;
        }
        case kType: arity(args, 0, 0); statOrRaise(path_, folder_); result = Value::str(typeText(path_, folder_)); return;
        case kDateCreated: {
            arity(args, 0, 0);
            struct stat st = statOrRaise(path_, folder_);
            result = Value::date(birthTime(path_, st));
            return;
        }
        case kDateLastModified: arity(args, 0, 0); result = Value::date(dateOf(statOrRaise(path_, folder_).st_mtime)); return;
        case kDateLastAccessed: arity(args, 0, 0); result = Value::date(dateOf(statOrRaise(path_, folder_).st_atime)); return;
        case kAttributes: arity(args, 0, 0); result = Value::lng(attributes()); return;
        case kParentFolder: {
            arity(args, 0, 0);
            statOrRaise(path_, folder_);
            result = path_ == u"/" || (folder_ && isRoot()) ? Value::nothing() : makeFolder(parentPart(path_));
            return;
        }
        case kDrive: arity(args, 0, 0); statOrRaise(path_, folder_); result = makeDrive(mountOf(path_)); return;
        case kCopy: {
            arity(args, 1, 2);
            std::u16string to = diskPath(args[0]);
            bool overwrite = argBool(args, 1, true);
            if (folder_) copyFolder(path_, to, overwrite);
            else copyFile(path_, kindOf(to) == Kind::Folder ? buildPath(to, fileNamePart(path_)) : to, overwrite);
            return;
        }
        case kMove: {
            arity(args, 1, 1);
            std::u16string to = diskPath(args[0]);
            if (kindOf(to) == Kind::Folder && (!folder_ || isSep(toStr(args[0]).back())))
                to = buildPath(to, fileNamePart(path_));
            moveItem(path_, to, folder_);
            path_ = to;
            return;
        }
        case kDelete: {
            arity(args, 0, 1);
            bool force = argBool(args, 0, false);
            if (folder_) deleteFolder(path_, force);
            else deleteFile(path_, force);
            return;
        }
        case kOpenAsTextStream: {
            arity(args, 0, 2);
            int mode = argLong(args, 0, ForReading);
            int format = argLong(args, 1, TristateFalse);
            statOrRaise(path_, false);
            result = openTextFile(path_, mode, false, format);
            return;
        }
        case kFiles: case kSubFolders: arity(args, 0, 0); result = collection(id == kSubFolders); return;
        case kIsRootFolder: arity(args, 0, 0); statOrRaise(path_, true); result = Value::boolean(isRoot()); return;
        case kCreateTextFile: {
            arity(args, 1, 3);
            std::u16string text = toStr(args[0]);
            std::u16string target = text.size() && (isSep(text[0]) || hasDriveLetter(text))
                                        ? diskPath(args[0])
                                        : diskPath(Value::str(buildPath(path_, text)));
            bool overwrite = argBool(args, 1, true);
            bool unicode = argBool(args, 2, false);
            result = createTextFile(target, overwrite, unicode);
            return;
        }
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {
            u"path", u"name", u"shortname", u"shortpath", u"size", u"type", u"datecreated",
            u"datelastmodified", u"datelastaccessed", u"attributes", u"parentfolder", u"drive", u"copy",
            u"move", u"delete", u"openastextstream", u"files", u"subfolders", u"isrootfolder",
            u"createtextfile"};
        return names;
    }

private:
    enum {
        kPath, kName, kShortName, kShortPath, kSize, kType, kDateCreated, kDateLastModified,
        kDateLastAccessed, kAttributes, kParentFolder, kDrive, kCopy, kMove, kDelete, kOpenAsTextStream,
        kFiles, kSubFolders, kIsRootFolder, kCreateTextFile,
    };

    // A mount point is the root folder of its drive.
    bool isRoot() const { return mountOf(path_).path == realPath(path_); }

    std::int32_t attributes()
    {
        struct stat st = statOrRaise(path_, folder_);
        std::int32_t a = 0;
        if (isReadOnlyMode(st.st_mode)) a |= 1;
        if (fileNamePart(path_).starts_with(u".")) a |= 2;
        a |= folder_ ? 16 : 32;
        struct stat lst;
        if (::lstat(native(path_).c_str(), &lst) == 0 && S_ISLNK(lst.st_mode)) a |= 1024;
        return a;
    }

    void setAttributes(std::int32_t a)
    {
        struct stat st = statOrRaise(path_, folder_);
        mode_t mode = st.st_mode & 07777;
        bool readOnly = (a & 1) != 0;
        if (readOnly == isReadOnlyMode(st.st_mode)) return;  // only ReadOnly can be changed here
        mode = readOnly ? (mode & ~mode_t{0222}) : (mode | S_IWUSR);
        if (::chmod(native(path_).c_str(), mode) != 0) raiseErrno(errno, path_, folder_);
    }

    void rename(const std::u16string& name)
    {
        if (name.empty() || name.find_first_of(u"/\\") != std::u16string::npos || name == u"." || name == u"..")
            raisePath(ferr::BadFileName, name);
        statOrRaise(path_, folder_);
        std::u16string to = buildPath(parentPart(path_), name);
        if (to == path_) return;
        moveItem(path_, to, folder_);
        path_ = to;
    }

    Value collection(bool folders);

    std::u16string path_;
    bool folder_;
};

// Files or SubFolders of a folder, read again on every use.
class ItemsObject : public NativeObject {
public:
    ItemsObject(std::u16string folder, bool folders) : folder_(std::move(folder)), folders_(folders) {}
    std::u16string typeName() const override { return folders_ ? u"Folders" : u"Files"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        if (id == kDefaultMember) id = kItem;
        switch (id) {
        case kCount: arity(args, 0, 0); result = Value::lng(static_cast<std::int32_t>(names().size())); return;
        case kItem: {
            arity(args, 1, 1);
            std::u16string name = toStr(args[0]);
            if (name.empty()) raise(err::InvalidCall);
            std::u16string path = buildPath(folder_, name);
            std::replace(path.begin(), path.end(), u'\\', u'/');
            if (kindOf(path) != (folders_ ? Kind::Folder : Kind::File))
                raisePath(folders_ ? ferr::PathNotFound : ferr::FileNotFound, path);
            result = folders_ ? makeFolder(path) : makeFile(path);
            return;
        }
        case kAdd: {
            if (!folders_) raise(err::NoSuchMember);
            arity(args, 1, 1);
            std::u16string name = toStr(args[0]);
            if (name.empty()) raise(err::InvalidCall);
            std::u16string path = buildPath(folder_, name);
            std::replace(path.begin(), path.end(), u'\\', u'/');
            if (kindOf(path) != Kind::None) raisePath(ferr::FileExists, path);
            if (::mkdir(native(path).c_str(), 0777) != 0) raiseErrno(errno, path, true);
            result = makeFolder(path);
            return;
        }
        default: raise(err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> enumerate() override
    {
        class Each : public Enumerator {
        public:
            Each(std::u16string folder, std::vector<std::u16string> names, bool folders)
                : folder_(std::move(folder)), names_(std::move(names)), folders_(folders)
            {
            }
            bool next(Value& out) override
            {
                if (i_ >= names_.size()) return false;
                std::u16string path = buildPath(folder_, names_[i_++]);
                out = folders_ ? makeFolder(std::move(path)) : makeFile(std::move(path));
                return true;
            }

        private:
            std::u16string folder_;
            std::vector<std::u16string> names_;
            bool folders_;
            std::size_t i_ = 0;
        };
        return std::make_unique<Each>(folder_, names(), folders_);
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"count", u"item", u"add"};
        return names;
    }

private:
    enum { kCount, kItem, kAdd };
    std::vector<std::u16string> names() const
    {
        statOrRaise(folder_, true);
        return listFolder(folder_, folders_ ? Kind::Folder : Kind::File);
    }

    std::u16string folder_;
    bool folders_;
};

Value ItemObject::collection(bool folders)
{
    statOrRaise(path_, true);
    return Value::object(new ItemsObject(path_, folders));
}

class DrivesObject : public NativeObject {
public:
    DrivesObject() : list_(drives()) {}
    std::u16string typeName() const override { return u"Drives"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        if (id == kDefaultMember) id = 1;
        switch (id) {
        case 0: arity(args, 0, 0); result = Value::lng(static_cast<std::int32_t>(list_.size())); return;
        case 1: {
            arity(args, 1, 1);
            std::u16string key = toStr(args[0]);
            for (const Mount& m : list_)
                if (m.path == key) { result = makeDrive(m); return; }
            raisePath(ferr::DeviceUnavailable, key);
        }
        default: raise(err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> enumerate() override
    {
        class Each : public Enumerator {
        public:
            explicit Each(const std::vector<Mount>& l) : l_(l) {}
            bool next(Value& out) override
            {
                if (i_ >= l_.size()) return false;
                out = makeDrive(l_[i_++]);
                return true;
            }

        private:
            std::vector<Mount> l_;
            std::size_t i_ = 0;
        };
        return std::make_unique<Each>(list_);
    }

protected:
    std::span<const char16_t* const> memberNames() const override
    {
        static const char16_t* const names[] = {u"count", u"item"};
        return names;
    }

private:
    std::vector<Mount> list_;
};

// Copies the bytes into a temporary file beside the target and renames it
// over the target, so a failed copy leaves the old file as it was.
void copyBytes(const std::u16string& from, const std::u16string& to, const struct stat& st)
{
    int in = ::open(native(from).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) raiseErrno(errno, from);
    std::u16string target = realPath(to);  // replace what a link points at, not the link
    std::string temp = tempBeside(target);
    int out = ::mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        int e = errno;
        ::close(in);
        raiseErrno(e, to);
    }
    std::string buf(1 << 20, '\0');
    int e = 0;
    for (;;) {
        ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) { if (n < 0) e = errno; break; }
        for (ssize_t done = 0; done < n && !e;) {
            ssize_t w = ::write(out, buf.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno != EINTR) e = errno;
            if (w > 0) done += w;
        }
        if (e) break;
    }
    ::close(in);
    ::fchmod(out, st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::futimens(out, times);
    if (::close(out) != 0 && !e) e = errno;
    if (!e && ::rename(temp.c_str(), native(target).c_str()) != 0) e = errno;
    if (e) {
        ::unlink(temp.c_str());
        raiseErrno(e, to);
    }
}

void copyLink(const std::u16string& from, const std::u16string& to)
{
    std::string target(PATH_MAX, '\0');
    ssize_t n = ::readlink(native(from).c_str(), target.data(), target.size());
    if (n < 0) raiseErrno(errno, from);
    target.resize(static_cast<std::size_t>(n));
    if (kindOf(to) != Kind::None) raisePath(ferr::FileExists, to);
    if (::symlink(target.c_str(), native(to).c_str()) != 0) raiseErrno(errno, to);
}

}  // namespace

Value makeFile(std::u16string path) { return Value::object(new ItemObject(std::move(path), false)); }
Value makeFolder(std::u16string path) { return Value::object(new ItemObject(std::move(path), true)); }
Value makeDrive(Mount m) { return Value::object(new DriveObject(std::move(m))); }
Value makeDrives() { return Value::object(new DrivesObject()); }

std::vector<Mount> drives()
{
    std::vector<Mount> out;
    for (Mount& m : allMounts())
        if (!pseudoFileSystem(native(m.type))) out.push_back(std::move(m));
    return out;
}

Mount mountOf(std::u16string_view path)
{
    std::u16string real = realPath(path);
    Mount best{u"/", u"", u""};
    std::size_t bestLen = 0;
    for (Mount& m : allMounts())
        if (under(real, m.path) && (m.path.size() > bestLen || bestLen == 0)) {
            best = m;
            bestLen = m.path.size();
        }
    return best;
}

void copyFile(const std::u16string& from, const std::u16string& to, bool overwrite)
{
    struct stat st = statOrRaise(from, false);
    struct stat dst;
    if (::stat(native(to).c_str(), &dst) == 0) {
        if (S_ISDIR(dst.st_mode)) raisePath(ferr::PermissionDenied, to);
        if (!overwrite) raisePath(ferr::FileExists, to);
        if (isReadOnlyMode(dst.st_mode)) raisePath(ferr::PermissionDenied, to);
        if (dst.st_ino == st.st_ino && dst.st_dev == st.st_dev) raisePath(ferr::PermissionDenied, to);
    } else if (kindOf(parentPart(to)) != Kind::Folder) {
        raisePath(ferr::PathNotFound, to);
    }
    copyBytes(from, to, st);
}

void copyFolder(const std::u16string& from, const std::u16string& to, bool overwrite)
{
    struct stat st = statOrRaise(from, true);
    if (under(to, from)) raisePath(ferr::PermissionDenied, to);  // into itself: would never end
    Kind k = kindOf(to);
    if (k == Kind::File) raisePath(ferr::FileExists, to);
    if (k == Kind::None && ::mkdir(native(to).c_str(), st.st_mode & 07777) != 0) raiseErrno(errno, to, true);
    for (const std::u16string& name : listFolder(from, Kind::None)) {
        std::u16string src = buildPath(from, name), dst = buildPath(to, name);
        struct stat lst;
        if (::lstat(native(src).c_str(), &lst) != 0) raiseErrno(errno, src);
        if (S_ISLNK(lst.st_mode) && kindOf(src) != Kind::File) {
            copyLink(src, dst);  // a link to a folder may lead back up: copy the link, not the folder
        } else if (S_ISDIR(lst.st_mode)) {
            copyFolder(src, dst, overwrite);
        } else {
            copyFile(src, dst, overwrite);
        }
    }
}

void moveItem(const std::u16string& from, const std::u16string& to, bool folder)
{
    statOrRaise(from, folder);
    if (kindOf(to) != Kind::None) raisePath(ferr::FileExists, to);
    if (kindOf(parentPart(to)) != Kind::Folder) raisePath(ferr::PathNotFound, to);
    if (folder && under(to, from)) raisePath(ferr::PermissionDenied, to);
    if (::rename(native(from).c_str(), native(to).c_str()) == 0) return;
    if (errno != EXDEV) raiseErrno(errno, from, folder);
    if (folder) {
        copyFolder(from, to, false);
        deleteFolder(from, true);
    } else {
        copyFile(from, to, false);
        deleteFile(from, true);
    }
}

void deleteFile(const std::u16string& path, bool force)
{
    struct stat st;
    if (::lstat(native(path).c_str(), &st) != 0) raiseErrno(errno, path);
    if (S_ISDIR(st.st_mode)) raisePath(ferr::FileNotFound, path);
    if (!force && !S_ISLNK(st.st_mode) && isReadOnlyMode(st.st_mode)) raisePath(ferr::PermissionDenied, path);
    if (::unlink(native(path).c_str()) != 0) raiseErrno(errno, path);
}

void deleteFolder(const std::u16string& path, bool force)
{
    struct stat st;
    if (::lstat(native(path).c_str(), &st) != 0) raiseErrno(errno, path, true);
    if (!S_ISDIR(st.st_mode)) raisePath(ferr::PathNotFound, path);
    if (!force && isReadOnlyMode(st.st_mode)) raisePath(ferr::PermissionDenied, path);
    for (const std::u16string& name : listFolder(path, Kind::None)) {
        std::u16string child = buildPath(path, name);
        struct stat cst;
        if (::lstat(native(child).c_str(), &cst) == 0 && S_ISDIR(cst.st_mode)) deleteFolder(child, force);
        else deleteFile(child, force);
    }
    if (::rmdir(native(path).c_str()) != 0) raiseErrno(errno, path, true);
}

}  // namespace vbs::fsys
