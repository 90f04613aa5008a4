#pragma once
// A tolerant reader of .wsf script files: jobs with their script
// blocks, objects, type library references, resources and the runtime
// section that ShowUsage describes. Such files are often not well-formed XML (a raw "<"
// or "&" in code), so only the elements it needs are recognised; the rest
// is skipped. With an <?xml ?> declaration, text outside CDATA has its
// entities decoded, as an XML reader would.
#include <string>
#include <string_view>
#include <vector>

namespace vbsrun {

struct WsfScript {
    std::u16string language;  // as written
    std::u16string src;       // empty for inline code only
    std::u16string code;      // inline code, CDATA markers removed
    int line = 1;             // where the inline code starts in the file
    int column = 1;
    int tagLine = 1;          // the <script> tag, for errors about it
};

struct WsfObject {
    std::u16string id, progid, classid;
    int line = 1;
};

struct WsfReference {
    std::u16string object, guid;
    int line = 1;
};

struct WsfResource {
    std::u16string id, text;
    int line = 1;
};

struct WsfNamed {
    std::u16string name, helpstring, type;  // type: string, boolean or simple
    bool required = false;
};

struct WsfUnnamed {
    std::u16string name, helpstring;
    bool required = false, many = false;
};

struct WsfRuntime {
    bool present = false;
    std::u16string description, example, usage;
    std::vector<WsfNamed> named;
    std::vector<WsfUnnamed> unnamed;
};

struct WsfJob {
    std::u16string id;
    int line = 1;
    std::vector<WsfScript> scripts;
    std::vector<WsfObject> objects;
    std::vector<WsfReference> references;
    std::vector<WsfResource> resources;  // for GetResource
    WsfRuntime runtime;
};

struct WsfFile {
    std::vector<WsfJob> jobs;
    bool ok = true;
    int errorLine = 0;
    std::string error;  // UTF-8, Chinese
};

WsfFile readWsf(std::u16string_view text);

}  // namespace vbsrun
