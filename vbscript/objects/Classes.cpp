// The ProgIDs CreateObject knows, and the classes New knows without a Class
// statement.
#include "vbscript/ObjectLibrary.h"
#include "vbscript/objects/Factories.h"

namespace vbs {
namespace {

const ObjectClass kClasses[] = {
    {u"scripting.dictionary", nullptr, makeDictionary, false},
    {u"scripting.filesystemobject", nullptr, makeFileSystemObject, true},
    {u"vbscript.regexp", u"regexp", makeRegExp, false},
    {u"wscript.shell", nullptr, makeShell, true},
};

}  // namespace

std::span<const ObjectClass> objectClasses() { return kClasses; }

}  // namespace vbs
