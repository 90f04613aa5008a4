// WScript.Shell on Linux: commands run through /bin/sh, the environment is
// this process's, special folders are the XDG user folders, and there is no
// registry.
#include <cerrno>
#include <fstream>
#include <pwd.h>
#include <unistd.h>
#include <vector>

#include "vbscript/Builtins.h"
#include "vbscript/Coerce.h"
#include "vbscript/Errors.h"
#include "vbscript/NativeObject.h"
#include "vbscript/Vm.h"
#include "vbscript/objects/Factories.h"
#include "vbscript/objects/Process.h"
#include "vbscript/objects/ShellExec.h"

extern char** environ;

namespace vbs {
namespace {

constexpr int kNoRegistry = -2147024894;  // the "cannot open key" number scripts test for

[[noreturn]] void raiseWith(int number, std::u16string detail)
{
    ScriptError e{number, {}, {}};
    e.detail = std::move(detail);
    throw e;
}

std::u16string quoted(std::u16string_view s) { return u"：'" + std::u16string(s) + u"'"; }

// Yields each string of a snapshot.
class StringEnumerator : public Enumerator {
public:
    explicit StringEnumerator(std::vector<std::u16string> items) : items_(std::move(items)) {}
    bool next(Value& out) override
    {
        if (i_ >= items_.size()) return false;
        out = Value::str(items_[i_++]);
        return true;
    }

private:
    std::vector<std::u16string> items_;
    std::size_t i_ = 0;
};

// ---- Environment ----

std::string envName(const Value& v)
{
    std::string name = encodeSystemText(toStr(v));
    if (name.empty() || name.find('=') != std::string::npos) raiseWith(err::InvalidCall, quoted(toStr(v)));
    return name;
}

enum EnvMember { vItem, vCount, vLength, vRemove };
const char16_t* const kEnvNames[] = {u"item", u"count", u"length", u"remove"};

// Every kind (Process, System, User, Volatile) is this process's environment:
// Linux keeps no other per-user or system-wide set a program could change.
class EnvironmentObject : public NativeObject {
public:
    std::u16string typeName() const override { return u"IWshEnvironment"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (id == kDefaultMember) id = vItem;
        if (kind == Invoke::Set) raise(err::NoSuchAction);
        if (kind == Invoke::Let) {
            if (id != vItem) raise(err::NoSuchAction);
            arity(args, 2, 2);
            // Children started later see the new value.
            if (::setenv(envName(args[0]).c_str(), encodeSystemText(toStr(args[1])).c_str(), 1) != 0)
                raise(err::OutOfMemory);
            return;
        }
        switch (id) {
        case vItem: {
            arity(args, 1, 1);
            const char* v = std::getenv(envName(args[0]).c_str());
            result = Value::str(v ? decodeSystemText(v) : std::u16string());
            return;
        }
        case vCount:
        case vLength: {
            arity(args, 0, 0);
            std::int32_t n = 0;
            for (char** e = environ; e && *e; ++e) ++n;
            result = Value::lng(n);
            return;
        }
        case vRemove: arity(args, 1, 1); ::unsetenv(envName(args[0]).c_str()); return;
        default: raise(err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> enumerate() override
    {
        std::vector<std::u16string> items;
        for (char** e = environ; e && *e; ++e) items.push_back(decodeSystemText(*e));
        return std::make_unique<StringEnumerator>(std::move(items));
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kEnvNames; }
};

Value environment(Args args)
{
    if (args.count && !missing(args, 0)) {
        std::u16string kind = toLower(toStr(args[0]));
        if (kind != u"process" && kind != u"system" && kind != u"user" && kind != u"volatile")
            raiseWith(err::InvalidCall, quoted(toStr(args[0])));
    }
    return Value::object(new EnvironmentObject);
}

std::u16string expandEnvironment(std::u16string_view text)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t open = text.find(u'%', i);
        std::size_t close = open == std::u16string_view::npos ? open : text.find(u'%', open + 1);
        if (close == std::u16string_view::npos) {
            out += text.substr(i);
            break;
        }
        out += text.substr(i, open - i);
        std::u16string_view name = text.substr(open + 1, close - open - 1);
        std::string key = encodeSystemText(name);
        const char* v = name.empty() || key.find('=') != std::string::npos ? nullptr : std::getenv(key.c_str());
        if (v) {
            out += decodeSystemText(v);
            i = close + 1;
        } else {
            // Unknown: keep "%NAME" and let the closing % start the next name.
            out += text.substr(open, close - open);
            i = close;
        }
    }
    return out;
}

// ---- Special folders ----

std::string homeDir()
{
    if (const char* h = std::getenv("HOME"); h && *h) return h;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

std::string xdgBase(const char* var, const char* fallback)
{
    const char* v = std::getenv(var);
    if (v && v[0] == '/') return v;
    return homeDir() + fallback;
}

// XDG_DESKTOP_DIR and friends from user-dirs.dirs, as xdg-user-dirs writes it.
std::string userDir(const std::string& key, const char* fallback)
{
    std::ifstream in(xdgBase("XDG_CONFIG_HOME", "/.config") + "/user-dirs.dirs");
    std::string line;
    std::string found;
    while (std::getline(in, line)) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') continue;
        if (line.compare(start, key.size() + 1, key + "=") != 0) continue;
        std::string v = line.substr(start + key.size() + 1);
        while (!v.empty() && (v.back() == ' ' || v.back() == '\t' || v.back() == '\r')) v.pop_back();
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
        if (v.rfind("$HOME", 0) == 0) v = homeDir() + v.substr(5);
        if (!v.empty() && v[0] == '/') found = v;  // the last valid line wins
    }
    if (!found.empty()) return found;
    return homeDir() + fallback;
}

struct Folder {
    const char16_t* name;
    std::string path;
};

std::vector<Folder> specialFolders()
{
    std::string data = xdgBase("XDG_DATA_HOME", "/.local/share");
    std::string config = xdgBase("XDG_CONFIG_HOME", "/.config");
    // Names without a Linux counterpart (Favorites, NetHood, Printers,
    // PrintHood, Recent, SendTo, AllUsersDesktop) are absent and give "".
    return {
        {u"AllUsersStartMenu", "/usr/share/applications"},
        {u"AllUsersPrograms", "/usr/share/applications"},
        {u"AllUsersStartup", "/etc/xdg/autostart"},
        {u"Desktop", userDir("XDG_DESKTOP_DIR", "/Desktop")},
        {u"Fonts", data + "/fonts"},
        {u"MyDocuments", userDir("XDG_DOCUMENTS_DIR", "/Documents")},
        {u"Programs", data + "/applications"},
        {u"StartMenu", data + "/applications"},
        {u"Startup", config + "/autostart"},
        {u"Templates", userDir("XDG_TEMPLATES_DIR", "/Templates")},
    };
}

enum FolderMember { fItem, fCount, fLength };
const char16_t* const kFolderNames[] = {u"item", u"count", u"length"};

class SpecialFoldersObject : public NativeObject {
public:
    SpecialFoldersObject() : folders_(specialFolders()) {}
    std::u16string typeName() const override { return u"IWshCollection"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Let || kind == Invoke::Set) raise(err::NoSuchAction);
        if (id == kDefaultMember) id = fItem;
        switch (id) {
        case fItem: arity(args, 1, 1); result = Value::str(item(args[0])); return;
        case fCount:
        case fLength: arity(args, 0, 0); result = Value::lng(static_cast<std::int32_t>(folders_.size())); return;
        default: raise(err::NoSuchMember);
        }
    }

    std::unique_ptr<Enumerator> enumerate() override
    {
        std::vector<std::u16string> paths;
        for (const auto& f : folders_) paths.push_back(decodeSystemText(f.path));
        return std::make_unique<StringEnumerator>(std::move(paths));
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kFolderNames; }

private:
    std::vector<Folder> folders_;

    std::u16string item(const Value& key)
    {
        Value k = resolveDefault(key);
        if (k.isNumeric()) {
            std::int32_t i = toLong(k);
            if (i < 0 || static_cast<std::size_t>(i) >= folders_.size()) raise(err::Subscript);
            return decodeSystemText(folders_[static_cast<std::size_t>(i)].path);
        }
        std::u16string name = toLower(toStr(k));
        for (const auto& f : folders_)
            if (toLower(f.name) == name) return decodeSystemText(f.path);
        return {};
    }
};

// ---- The shell ----

enum ShellMember {
    mRun, mExec, mEnvironment, mExpand, mCurrentDirectory, mSpecialFolders, mPopup,
    mRegRead, mRegWrite, mRegDelete, mCreateShortcut, mLogEvent, mAppActivate, mSendKeys,
};
const char16_t* const kShellNames[] = {
    u"run", u"exec", u"environment", u"expandenvironmentstrings", u"currentdirectory", u"specialfolders",
    u"popup", u"regread", u"regwrite", u"regdelete", u"createshortcut", u"logevent", u"appactivate",
    u"sendkeys",
};
// Members that need Windows itself: shortcuts, the event log, other windows.
const char16_t* const kUnavailable[] = {u"CreateShortcut", u"LogEvent", u"AppActivate", u"SendKeys"};

std::u16string currentDirectory()
{
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) raise(76);  // the folder was removed under us
        buf.resize(buf.size() * 2);
    }
    return decodeSystemText(buf.data());
}

void changeDirectory(const std::u16string& path)
{
    // The whole process moves, as on Windows: the host shares its folder with the script.
    if (::chdir(encodeSystemText(path).c_str()) == 0) return;
    int e = errno;
    raiseWith(e == EACCES ? 70 : e == ENOMEM ? err::OutOfMemory : 76, quoted(path));
}

class ShellObject : public NativeObject {
public:
    explicit ShellObject(Vm& vm) : vm_(vm) {}
    std::u16string typeName() const override { return u"IWshShell3"; }

    void invoke(int id, Invoke kind, Args args, Value& result) override
    {
        if (kind == Invoke::Set) raise(err::NoSuchAction);
        if (kind == Invoke::Let) {
            if (id != mCurrentDirectory) raise(err::NoSuchAction);
            arity(args, 1, 1);
            changeDirectory(toStr(args[0]));
            return;
        }
        switch (id) {
        case mRun: {
            arity(args, 1, 3);
            std::string cmd = encodeSystemText(toStr(args[0]));
            bool wait = !missing(args, 2) && toBool(args[2]);  // the window style has no meaning here
            process::Child c = process::spawnShell(cmd, false);
            if (!wait) {
                process::release(c);
                result = Value::lng(0);
                return;
            }
            result = Value::lng(process::waitFor(c, vm_));
            return;
        }
        case mExec: arity(args, 1, 1); result = makeExec(vm_, toStr(args[0])); return;
        case mEnvironment: arity(args, 0, 1); result = environment(args); return;
        case mExpand: arity(args, 1, 1); result = Value::str(expandEnvironment(toStr(args[0]))); return;
        case mCurrentDirectory: arity(args, 0, 0); result = Value::str(currentDirectory()); return;
        case mSpecialFolders:
            arity(args, 0, 1);
            result = Value::object(new SpecialFoldersObject);
            index(result, args, 0);
            return;
        case mPopup: {
            arity(args, 1, 4);
            std::u16string text = args[0].isNull() ? u"Null" : toStr(args[0]);
            // The host's boxes have no timeout: the box waits for its answer.
            std::u16string title = missing(args, 2) ? u"Windows Script Host" : toStr(args[2]);
            int buttons = argInt(args, 3, 0);
            result = Value::lng(vm_.host().msgBox(text, buttons, title));
            return;
        }
        case mRegRead:
        case mRegDelete:
            arity(args, 1, 1);
            raiseWith(kNoRegistry, quoted(toStr(args[0])));
        case mRegWrite:
            arity(args, 2, 3);
            raiseWith(kNoRegistry, quoted(toStr(args[0])));
        case mCreateShortcut:
        case mLogEvent:
        case mAppActivate:
        case mSendKeys:
            raiseWith(err::InvalidCall, u"：" + std::u16string(kUnavailable[id - mCreateShortcut]) + u" 在 Linux 上不可用");
        default: raise(err::NoSuchMember);
        }
    }

protected:
    std::span<const char16_t* const> memberNames() const override { return kShellNames; }

private:
    Vm& vm_;

    // SpecialFolders("Desktop") in one call.
    static void index(Value& collection, Args args, int first)
    {
        if (args.count <= first) return;
        Value item;
        collection.o->invoke(Object::kDefaultMember, Invoke::Get, Args{args.items + first, args.count - first}, item);
        collection = std::move(item);
    }
};

}  // namespace

Value makeShell(Vm& vm) { return Value::object(new ShellObject(vm)); }

}  // namespace vbs
