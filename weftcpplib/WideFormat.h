#pragma once
#include <cstdarg>
#include <cstddef>

namespace weftcpplib {

// printf-style wide formatting into a fixed buffer of `units` units. Unlike
// vswprintf it never fails on long text: the result is cut to fit and always
// NUL-terminated. Wide string arguments must be written %ls (portable across
// the C runtimes). Returns the number of units written, without the NUL.
std::size_t FormatWideV(wchar_t* buffer, std::size_t units, const wchar_t* format, va_list args);
std::size_t FormatWide(wchar_t* buffer, std::size_t units, const wchar_t* format, ...);

} // namespace weftcpplib
