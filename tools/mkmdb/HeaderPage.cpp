#include "HeaderPage.h"

#include "Rc4.h"

#include <array>
#include <cstring>

namespace mkmdb {
namespace {
constexpr std::size_t kMaskedStart = 0x18;
constexpr std::size_t kMaskedLength = 128;
constexpr std::size_t kCodePage = 0x3C;
constexpr std::size_t kSortOrder = 0x6E;
constexpr std::array<std::uint8_t, 4> kHeaderMaskKey = {0xC7, 0xDA, 0x39, 0x6B};
constexpr std::uint16_t kGeneralSortOrder = 0x0409;
constexpr std::uint16_t kWesternCodePage = 1252;
}  // namespace

void WriteHeaderPage(Page& page)
{
    page.fill(0);
    page[1] = 0x01;
    const char magic[] = "Standard Jet DB";
    std::memcpy(&page[4], magic, sizeof magic);
    page[0x14] = 0x01;  // Jet 4

    // The creation date, the password and the encryption key (at 0x3E) stay
    // zero: no password mask, no page encryption.
    Put16(&page[kCodePage], kWesternCodePage);
    Put16(&page[kSortOrder], kGeneralSortOrder);
    Rc4Apply(kHeaderMaskKey, std::span(&page[kMaskedStart], kMaskedLength));
}

}  // namespace mkmdb
