#pragma once
#include <cstddef>
#include <cstdint>

// The Windows bitmap header (BITMAPINFO), laid out byte for byte as the
// system's headers declare it, so that images and their headers are the same
// on every platform and portable code never includes those headers.
namespace weftcpplib {

struct DibInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

struct DibColor {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

struct DibHeader {
    DibInfoHeader bmiHeader;
    DibColor bmiColors[1];
};

inline constexpr std::uint32_t kDibRgb = 0; // BI_RGB

static_assert(sizeof(DibHeader) == 44);
static_assert(offsetof(DibHeader, bmiColors) == 40);
static_assert(offsetof(DibHeader, bmiHeader.biWidth) == 4);
static_assert(offsetof(DibHeader, bmiHeader.biHeight) == 8);
static_assert(offsetof(DibHeader, bmiHeader.biPlanes) == 12);
static_assert(offsetof(DibHeader, bmiHeader.biBitCount) == 14);
static_assert(offsetof(DibHeader, bmiHeader.biCompression) == 16);
static_assert(offsetof(DibHeader, bmiHeader.biSizeImage) == 20);
static_assert(offsetof(DibHeader, bmiHeader.biClrImportant) == 36);

} // namespace weftcpplib
