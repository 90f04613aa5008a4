#include "vbscript/objects/FsPaths.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/textcodec/TextCodec.h"
#include "vbscript/Coerce.h"
#include "vbscript/DateTime.h"
#include "vbscript/Errors.h"

namespace vbs::fsys {
namespace {

std::size_t lastSep(std::u16string_view p)
{
    for (std::size_t i = p.size(); i-- > 0;)
        if (isSep(p[i]) || (i == 1 && hasDriveLetter(p))) return i;
    return std::u16string_view::npos;
}

std::u16string_view stripTrailing(std::u16string_view p)
{
    while (!p.empty() && isSep(p.back())) p.remove_suffix(1);
    return p;
}

// Resolves "." and ".." by text; the parts joined by sep after prefix.
std::u16string joinParts(std::u16string_view rest, std::u16string prefix, char16_t sep)
{
    std::vector<std::u16string_view> parts;
    std::size_t i = 0;
    while (i <= rest.size()) {
        std::size_t j = i;
        while (j < rest.size() && !isSep(rest[j])) ++j;
        std::u16string_view part = rest.substr(i, j - i);
        if (part == u"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::u16string out = std::move(prefix);
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k) out += sep;
        out += parts[k];
    }
    return out;
}

std::u16string currentFolder()
{
    std::string buf(4096, '\0');
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) raise(ferr::PathNotFound);
        buf.resize(buf.size() * 2);
    }
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return fromNative(buf);
}

std::u16string absoluteUnix(std::u16string_view p)
{
    std::u16string text(p);
    std::replace(text.begin(), text.end(), u'\\', u'/');
    if (text.empty() || text[0] != u'/') text = currentFolder() + u"/" + text;
    return joinParts(text, u"/", u'/');
}

}  // namespace

bool hasDriveLetter(std::u16string_view p)
{
    return p.size() >= 2 && p[1] == u':' && ((p[0] >= u'A' && p[0] <= u'Z') || (p[0] >= u'a' && p[0] <= u'z'));
}

std::u16string fileNamePart(std::u16string_view p)
{
    p = stripTrailing(p);
    if (p.size() == 2 && hasDriveLetter(p)) return {};
    std::size_t i = lastSep(p);
    return std::u16string(i == std::u16string_view::npos ? p : p.substr(i + 1));
}

std::u16string extensionPart(std::u16string_view p)
{
    std::u16string name = fileNamePart(p);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? std::u16string() : name.substr(dot + 1);
}

std::u16string baseNamePart(std::u16string_view p)
{
    std::u16string name = fileNamePart(p);
    std::size_t dot = name.rfind(u'.');
    return dot == std::u16string::npos ? name : name.substr(0, dot);
}

std::u16string parentPart(std::u16string_view p)
{
    std::u16string_view t = stripTrailing(p);
    if (t.size() == 2 && hasDriveLetter(t)) return {};
    std::size_t i = lastSep(t);
    if (i == std::u16string_view::npos) return {};
    std::size_t end = i;
    while (end > 0 && isSep(t[end - 1])) --end;
    if (end == 0 || (end == 2 && hasDriveLetter(t))) {
        if (i == 1 && hasDriveLetter(t)) return std::u16string(t.substr(0, 2));  // "C:a"
        return std::u16string(t.substr(0, end)) + t[i];  // keep the root's separator
    }
    return std::u16string(t.substr(0, end));
}

std::u16string buildPath(std::u16string_view p, std::u16string_view name)
{
    if (p.empty()) return std::u16string(name);
    std::u16string out(p);
    if (isSep(p.back())) {
        while (!name.empty() && isSep(name[0])) name.remove_prefix(1);
    } else if (!(name.size() && isSep(name[0])) && !(p.size() == 2 && hasDriveLetter(p))) {
        bool backslash = p.find(u'\\') != std::u16string_view::npos && p.find(u'/') == std::u16string_view::npos;
        out += backslash ? u'\\' : u'/';
    }
    out += name;
    return out;
}

std::u16string absoluteName(std::u16string_view p)
{
    if (hasDriveLetter(p)) return joinParts(p.substr(2), std::u16string(p.substr(0, 2)) + u"\\", u'\\');
    return absoluteUnix(p);
}

std::u16string diskPath(const Value& arg)
{
    std::u16string text = toStr(arg);
    if (text.empty()) raise(err::InvalidCall);
    if (text.find(u'\0') != std::u16string::npos) raisePath(ferr::BadFileName, text);
    if (hasDriveLetter(text)) raisePath(ferr::PathNotFound, text);
    return absoluteUnix(text);
}

std::string native(std::u16string_view p)
{
    auto r = textcodec::EncodeUtf8(p);
    if (!r.ok()) raisePath(ferr::BadFileName, p);
    return std::move(r.bytes);
}

std::u16string fromNative(std::string_view bytes)
{
    if (auto text = textcodec::DecodeUtf8(bytes)) return std::move(*text);
    std::u16string out;  // not UTF-8: one character per byte rather than nothing
    for (unsigned char c : bytes) out += static_cast<char16_t>(c);
    return out;
}

void raisePath(int number, std::u16string_view path)
{
    throw ScriptError{number, {}, {}, 0, 0, u"：'" + std::u16string(path) + u"'"};
}

int errnoNumber(int e)
{
    switch (e) {
    case ENOENT: return ferr::FileNotFound;
    case ENOTDIR: return ferr::PathNotFound;
    case EACCES: case EPERM: case EROFS: case EISDIR: case ETXTBSY: case EBUSY: return ferr::PermissionDenied;
    case EEXIST: case ENOTEMPTY: return ferr::FileExists;
    case ENOSPC: case EDQUOT: case EFBIG: return ferr::DiskFull;
    case ENAMETOOLONG: case EINVAL: case ELOOP: return ferr::BadFileName;
    case EMFILE: case ENFILE: return ferr::TooManyFiles;
    case EXDEV: return ferr::CrossDevice;
    default: return ferr::DeviceIO;
    }
}

void raiseErrno(int e, std::u16string_view path, bool folder)
{
    int number = errnoNumber(e);
    if (e == ENOENT && (folder || kindOf(parentPart(path)) != Kind::Folder)) number = ferr::PathNotFound;
    raisePath(number, path);
}

std::u16string realPath(std::u16string_view path)
{
    char buf[PATH_MAX];
    if (::realpath(native(path).c_str(), buf)) return fromNative(buf);
    return std::u16string(path);
}

std::string tempBeside(std::u16string_view path)
{
    std::string dir = native(parentPart(path));
    return (dir == "/" ? dir : dir + "/") + "." + native(fileNamePart(path)) + ".XXXXXX";
}

Kind kindOf(std::u16string_view path)
{
    if (path.empty()) return Kind::None;
    struct stat st;
    if (::stat(native(path).c_str(), &st) != 0) return Kind::None;
    return S_ISDIR(st.st_mode) ? Kind::Folder : Kind::File;
}

bool isReadOnlyMode(unsigned mode) { return (mode & 0222) == 0; }

bool hasWildcard(std::u16string_view name)
{
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

bool wildcardMatch(std::u16string_view pattern, std::u16string_view name)
{
    if (pattern == u"*.*") pattern = u"*";  // every name, with or without a dot
    std::size_t p = 0, n = 0, star = std::u16string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star = p++;
            resume = n;
        } else if (star != std::u16string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

std::vector<std::u16string> listFolder(std::u16string_view folder, Kind want)
{
    std::string dir = native(folder);
    DIR* d = ::opendir(dir.c_str());
    if (!d) raiseErrno(errno, folder, true);
    std::vector<std::u16string> names;
    while (dirent* e = ::readdir(d)) {
        std::string_view n = e->d_name;
        if (n == "." || n == "..") continue;
        if (want != Kind::None) {
            struct stat st;
            std::string full = dir;
            if (full != "/") full += '/';
            full += n;
            bool isDir = ::stat(full.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
            if (isDir != (want == Kind::Folder)) continue;
        }
        names.push_back(fromNative(n));
    }
    ::closedir(d);
    std::sort(names.begin(), names.end());
    return names;
}

bool argBool(const Args& args, int i, bool fallback)
{
    return i < args.count && args[i].tag != Tag::Error ? toBool(args[i]) : fallback;
}

int argLong(const Args& args, int i, int fallback)
{
    return i < args.count && args[i].tag != Tag::Error ? toLong(args[i]) : fallback;
}

double dateOf(std::time_t seconds)
{
    std::tm tm{};
    ::localtime_r(&seconds, &tm);
    return dateSerial(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) + timeSerial(tm.tm_hour, tm.tm_min, tm.tm_sec);
}

}  // namespace vbs::fsys
