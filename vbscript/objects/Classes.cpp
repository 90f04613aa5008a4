// The ProgIDs CreateObject knows, and the classes New knows without a Class
// statement.
#include "vbscript/ObjectLibrary.h"
#include "vbscript/objects/Factories.h"

namespace vbs {
namespace {

const ObjectClass kClasses[] = {
    {u"scripting.dictionary", nullptr, makeDictionary},
    {u"scripting.filesystemobject", nullptr, makeFileSystemObject},
    {u"vbscript.regexp", u"regexp", makeRegExp},
    {u"wscript.shell", nullptr, makeShell},
};

}  // namespace

std::span<const ObjectClass> objectClasses() { return kClasses; }

}  // namespace vbs
