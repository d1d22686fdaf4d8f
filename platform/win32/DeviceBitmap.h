#pragma once
#include <windows.h>

#include <cstdint>

namespace platform {

// SetDIBits of `lines` rows of pixels that `header` (laid out as BITMAPINFO)
// describes; on failure false with the system's error code.
bool CopyRowsToBitmap(HDC dc, HBITMAP bitmap, const void* header, const void* pixels, std::uint32_t lines,
                      std::uint32_t& error);

// The row copy an image's SetDIBits takes, into one device bitmap.
inline auto RowsInto(HDC dc, HBITMAP bitmap)
{
    return [dc, bitmap](const auto& header, const std::uint32_t* pixels, std::int32_t lines, std::uint32_t& error) {
        return CopyRowsToBitmap(dc, bitmap, &header, pixels, static_cast<std::uint32_t>(lines), error);
    };
}

} // namespace platform
