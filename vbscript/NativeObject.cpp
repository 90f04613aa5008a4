#include "vbscript/NativeObject.h"

#include "vbscript/Errors.h"

namespace vbs {

int NativeObject::memberId(std::u16string_view lowerName) const
{
    auto names = memberNames();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (lowerName == names[i]) return static_cast<int>(i);
    return kNoMember;
}

void NativeObject::arity(const Args& args, int min, int max)
{
    if (args.count < min || args.count > max) raise(err::WrongArgCount);
}

}  // namespace vbs
