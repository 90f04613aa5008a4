#include "Text.h"

#include <algorithm>

#include "textcodec/TextCodec.h"

namespace vbsrun {

std::u16string fromUtf8(std::string_view s)
{
    if (auto t = textcodec::DecodeUtf8(s)) return *t;
    return std::u16string(s.begin(), s.end());
}

std::string toUtf8(std::u16string_view s)
{
    auto r = textcodec::EncodeUtf8(s);
    if (r.ok()) return r.bytes;
    std::u16string fixed(s);
    for (auto& c : fixed)
        if (c >= 0xD800 && c <= 0xDFFF) c = u'?';
    return textcodec::EncodeUtf8(fixed).bytes;
}

std::string lowerAscii(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    return s;
}

std::u16string lowerAscii(std::u16string_view s)
{
    std::u16string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; });
    return out;
}

}  // namespace vbsrun
