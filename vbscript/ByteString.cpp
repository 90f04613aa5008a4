#include "vbscript/ByteString.h"

#include "vbscript/Builtins.h"

namespace vbs {

bool isOddByteString(const Value& v)
{
    const Value& d = v.deref();
    return d.isString() && d.s && d.s->oddByte;
}

std::string stringBytes(const Value& v)
{
    const Value& d = v.deref();
    StrArg text(d);
    std::string bytes;
    bytes.reserve(text.view().size() * 2);
    for (char16_t c : text.view()) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    if (isOddByteString(d)) bytes.pop_back();
    return bytes;
}

Value byteString(std::string_view bytes)
{
    std::u16string text((bytes.size() + 1) / 2, u'\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        auto b = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]));
        text[i / 2] = static_cast<char16_t>(text[i / 2] | (i % 2 ? b << 8 : b));
    }
    Value v = Value::str(std::move(text));
    if (v.s) v.s->oddByte = bytes.size() % 2 != 0;
    return v;
}

Value concatBytes(const Value& a, const Value& b)
{
    const Value& x = a.deref();
    const Value& y = b.deref();
    std::string bytes = x.isNull() ? std::string() : stringBytes(x);
    if (!y.isNull()) bytes += stringBytes(y);
    return byteString(bytes);
}

}  // namespace vbs
