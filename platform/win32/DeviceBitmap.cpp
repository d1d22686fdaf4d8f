#include "platform/win32/DeviceBitmap.h"

#include <cstddef>

namespace platform::win32 {

// The portable image header is pinned to these same offsets, so it can be
// handed over as a BITMAPINFO.
static_assert(sizeof(BITMAPINFO) == 44);
static_assert(offsetof(BITMAPINFO, bmiColors) == 40);
static_assert(offsetof(BITMAPINFOHEADER, biWidth) == 4);
static_assert(offsetof(BITMAPINFOHEADER, biHeight) == 8);
static_assert(offsetof(BITMAPINFOHEADER, biPlanes) == 12);
static_assert(offsetof(BITMAPINFOHEADER, biBitCount) == 14);
static_assert(offsetof(BITMAPINFOHEADER, biCompression) == 16);
static_assert(offsetof(BITMAPINFOHEADER, biSizeImage) == 20);
static_assert(offsetof(BITMAPINFOHEADER, biClrImportant) == 36);

bool CopyRowsToBitmap(HDC dc, HBITMAP bitmap, const void* header, const void* pixels, std::uint32_t lines,
                      std::uint32_t& error)
{
    if (::SetDIBits(dc, bitmap, 0, lines, pixels, static_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS) != 0)
        return true;
    error = GetLastError();
    return false;
}

} // namespace platform::win32
