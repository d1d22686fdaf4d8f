#include "weftcpplib/WideFormat.h"

#include <cwchar>
#include <vector>

namespace weftcpplib {

std::size_t FormatWideV(wchar_t* buffer, std::size_t units, const wchar_t* format, va_list args)
{
    if (units == 0)
        return 0;
    va_list first;
    va_copy(first, args);
    const int written = std::vswprintf(buffer, units, format, first);
    va_end(first);
    if (written >= 0 && static_cast<std::size_t>(written) < units)
        return static_cast<std::size_t>(written);

    // Too long for the buffer (or a runtime that reports truncation as an
    // error): format into growing scratch space, then keep what fits.
    for (std::size_t scratch = units * 4 < 1024 ? 1024 : units * 4; scratch <= (1u << 20); scratch *= 4) {
        std::vector<wchar_t> wide(scratch);
        va_list again;
        va_copy(again, args);
        const int length = std::vswprintf(wide.data(), scratch, format, again);
        va_end(again);
        if (length >= 0 && static_cast<std::size_t>(length) < scratch) {
            const std::size_t kept = static_cast<std::size_t>(length) < units ? static_cast<std::size_t>(length) : units - 1;
            std::wmemcpy(buffer, wide.data(), kept);
            buffer[kept] = 0;
            return kept;
        }
    }
    buffer[units - 1] = 0; // an encoding error: keep whatever the runtime produced
    return std::wcslen(buffer);
}

std::size_t FormatWide(wchar_t* buffer, std::size_t units, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::size_t n = FormatWideV(buffer, units, format, args);
    va_end(args);
    return n;
}

} // namespace weftcpplib
