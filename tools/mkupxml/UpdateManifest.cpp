#include "UpdateManifest.h"

#include "common/ManifestFormat.h"
#include "textcodec/TextCodec.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsDecimalNumber(const std::string& s)
{
    // The editor reads it as a number; "1.1" and "2" pass, "1.1.0", "v2" and "1e3" do not.
    auto dot = s.find('.');
    auto digits = [](const std::string& part) {
        return !part.empty() && std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); });
    };
    if (dot == std::string::npos) return digits(s);
    return digits(s.substr(0, dot)) && digits(s.substr(dot + 1));
}

bool IsDownloadAddress(const std::string& s)
{
    std::string lower(s);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    std::string rest;
    for (const char* scheme : {"http://", "https://", "ftp://"}) {
        if (lower.rfind(scheme, 0) == 0) rest = s.substr(std::string(scheme).size());
    }
    if (rest.empty() || rest[0] == '/') return false;  // no host
    // Spaces and control characters never survive in a URL; they must be percent-encoded.
    return std::none_of(s.begin(), s.end(), [](unsigned char c) { return c <= ' ' || c == 0x7F; });
}

bool IsSha256(const std::string& s)
{
    return s.size() == 64 && std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isxdigit(c); });
}

std::string AttributeText(const std::string& value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

}  // namespace

std::variant<std::string, ManifestError> ManifestBytes(const ManifestFields& fields)
{
    if (!IsDecimalNumber(fields.version))
        return ManifestError{"version \"" + fields.version + "\" is not a decimal number such as 1.1"};
    if (!IsDownloadAddress(fields.address))
        return ManifestError{"address \"" + fields.address + "\" is not an http, https or ftp URL with a host and no spaces"};
    if (!IsSha256(fields.sha256))
        return ManifestError{"SHA-256 \"" + fields.sha256 + "\" is not 64 hex digits"};
    std::string sha(fields.sha256);
    std::transform(sha.begin(), sha.end(), sha.begin(), [](unsigned char c) { return char(std::tolower(c)); });

    // CR LF throughout, as the manifests on the server have always been written.
    std::string text = std::string(kManifestFirstLine) + "\r\n";
    text += "<在线更新>\r\n";
    text += std::string("  <程序 ") + kManifestVersionName + "=\"" + fields.version + "\" " + kManifestAddressName + "=\"" +
            AttributeText(fields.address) + "\" " + kManifestChecksumName + "=\"" + sha + "\"/>\r\n";
    text += "</在线更新>\r\n";

    auto utf16 = textcodec::DecodeUtf8(text);
    if (!utf16) return ManifestError{"the address is not valid UTF-8"};
    textcodec::EncodeResult gbk = textcodec::EncodeGbk(*utf16);
    if (!gbk.ok()) return ManifestError{"the address holds a character that GBK cannot store"};
    return gbk.bytes;
}
