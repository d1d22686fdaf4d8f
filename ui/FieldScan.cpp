#include "ui/FieldScan.h"

#include <cwctype>
#include <limits>

namespace ui {
namespace {

struct ScannedNumber {
    bool found = false;
    bool negative = false;
    std::uint64_t magnitude = 0;  // saturates far above any 32-bit value
};

ScannedNumber ScanDecimal(std::wstring_view text)
{
    ScannedNumber number;
    std::size_t pos = 0;
    while (pos < text.size() && std::iswspace(static_cast<std::wint_t>(text[pos])))
        ++pos;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        number.negative = text[pos] == L'-';
        ++pos;
    }
    constexpr std::uint64_t kCeiling = std::uint64_t{1} << 40;
    for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
        number.found = true;
        if (number.magnitude < kCeiling)
            number.magnitude = number.magnitude * 10 + static_cast<std::uint64_t>(text[pos] - L'0');
    }
    return number;
}

std::int64_t SignedValue(const ScannedNumber& number)
{
    const auto magnitude = static_cast<std::int64_t>(number.magnitude);
    return number.negative ? -magnitude : magnitude;
}

std::int32_t SaturateToInt32(std::int64_t v)
{
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(v < lo ? lo : (v > hi ? hi : v));
}

} // namespace

bool ScanInt(std::wstring_view text, std::int32_t& value)
{
    const ScannedNumber number = ScanDecimal(text);
    if (!number.found)
        return false;
    value = SaturateToInt32(SignedValue(number));
    return true;
}

bool ScanUnsigned(std::wstring_view text, std::uint32_t& value)
{
    const ScannedNumber number = ScanDecimal(text);
    if (!number.found)
        return false;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    const auto magnitude = static_cast<std::uint32_t>(number.magnitude > kMax ? kMax : number.magnitude);
    value = number.negative ? 0u - magnitude : magnitude;
    return true;
}

bool ScanShort(std::wstring_view text, std::int16_t& value)
{
    const ScannedNumber number = ScanDecimal(text);
    if (!number.found)
        return false;
    // Cut to 16 bits through the unsigned type, as the runtime's store does.
    const auto wide = static_cast<std::uint32_t>(SaturateToInt32(SignedValue(number)));
    value = static_cast<std::int16_t>(static_cast<std::uint16_t>(wide & 0xFFFFu));
    return true;
}

} // namespace ui
