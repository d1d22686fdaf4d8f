#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

// Stored text (records, the log file) is always UTF-16. On Windows wchar_t is
// already a UTF-16 unit; elsewhere it is UTF-32 and the helpers convert.
namespace platform {

using utf16_unit = std::conditional_t<sizeof(wchar_t) == 2, wchar_t, char16_t>;
static_assert(sizeof(utf16_unit) == 2);

// Reads at most max_units units, stopping at the first NUL.
std::wstring WideFromUtf16(const utf16_unit* units, std::size_t max_units);

// Writes text into a fixed field of `units` units: truncated so that a NUL
// always ends it, the rest zero-filled. A surrogate pair is never split.
void WideToUtf16Field(std::wstring_view text, utf16_unit* field, std::size_t units);

// Appends text as UTF-16 little-endian bytes.
void AppendUtf16LE(std::wstring_view text, std::string& bytes);

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

} // namespace platform
