#include "platform/guid/guid_text.h"

#include <array>
#include <cstddef>

namespace vantrel::platform {
namespace {

// Where each of the 32 hexadecimal digits stands in the braced form.
constexpr std::array<std::size_t, 32> DigitPositions() {
  std::array<std::size_t, 32> positions{};
  std::size_t digit = 0;
  for (std::size_t at = 1; at < 37; ++at) {
    if (at == 9 || at == 14 || at == 19 || at == 24) continue;
    positions[digit++] = at;
  }
  return positions;
}
constexpr auto kDigitPositions = DigitPositions();

// The GUID's 16 bytes in text order: Data1..Data3 most significant first, then Data4.
std::array<std::uint8_t, 16> TextOrderBytes(const GUID& guid) {
  std::array<std::uint8_t, 16> bytes{};
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(guid.Data1 >> (24 - 8 * i));
  bytes[4] = static_cast<std::uint8_t>(guid.Data2 >> 8);
  bytes[5] = static_cast<std::uint8_t>(guid.Data2);
  bytes[6] = static_cast<std::uint8_t>(guid.Data3 >> 8);
  bytes[7] = static_cast<std::uint8_t>(guid.Data3);
  for (int i = 0; i < 8; ++i) bytes[8 + i] = guid.Data4[i];
  return bytes;
}

int HexValue(WCHAR unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  return -1;
}

}  // namespace

int StringFromGUID2(const GUID& guid, WCHAR* buffer, int bufferUnits) {
  if (buffer == nullptr || bufferUnits < kGuidTextUnits) return 0;
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  const auto bytes = TextOrderBytes(guid);
  buffer[0] = u'{';
  buffer[9] = buffer[14] = buffer[19] = buffer[24] = u'-';
  buffer[37] = u'}';
  buffer[38] = 0;
  for (std::size_t digit = 0; digit < 32; ++digit) {
    const std::uint8_t byte = bytes[digit / 2];
    buffer[kDigitPositions[digit]] = kDigits[digit % 2 == 0 ? byte >> 4 : byte & 0xF];
  }
  return kGuidTextUnits;
}

HRESULT CLSIDFromString(const WCHAR* text, CLSID* clsid) {
  if (clsid == nullptr) return E_INVALIDARG;
  *clsid = CLSID{};
  if (text == nullptr) return S_OK;
  // Each unit is checked before the next is read, so a short text stops at its terminator.
  for (std::size_t at = 0; at < 38; ++at) {
    const WCHAR unit = text[at];
    const bool ok = at == 0    ? unit == u'{'
                    : at == 37 ? unit == u'}'
                    : (at == 9 || at == 14 || at == 19 || at == 24) ? unit == u'-'
                                                                    : HexValue(unit) >= 0;
    if (!ok) return CO_E_CLASSSTRING;
  }
  if (text[38] != 0) return CO_E_CLASSSTRING;
  std::array<std::uint8_t, 16> bytes{};
  for (std::size_t digit = 0; digit < 32; ++digit) {
    const int value = HexValue(text[kDigitPositions[digit]]);
    bytes[digit / 2] = static_cast<std::uint8_t>(bytes[digit / 2] << 4 | value);
  }
  GUID guid;
  guid.Data1 = std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
               std::uint32_t{bytes[2]} << 8 | bytes[3];
  guid.Data2 = static_cast<std::uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.Data3 = static_cast<std::uint16_t>(bytes[6] << 8 | bytes[7]);
  for (int i = 0; i < 8; ++i) guid.Data4[i] = bytes[8 + i];
  *clsid = guid;
  return S_OK;
}

}  // namespace vantrel::platform
