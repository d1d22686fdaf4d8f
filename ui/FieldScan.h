#pragma once
#include <cstdint>
#include <string_view>

namespace ui {

// Reads a decimal number the way the C library's wide scanf does: leading
// blanks are skipped, a sign is accepted, reading stops at the first
// non-digit. Text that does not begin with a number leaves the value as it
// was and gives false. Magnitudes too large for the target saturate as
// strtol/strtoul do.

// "%d"
bool ScanInt(std::wstring_view text, std::int32_t& value);
// "%u": a minus sign negates modulo 2^32, so "-1" reads as 4294967295.
bool ScanUnsigned(std::wstring_view text, std::uint32_t& value);
// "%hd": read as a long, then cut to 16 bits.
bool ScanShort(std::wstring_view text, std::int16_t& value);

} // namespace ui
