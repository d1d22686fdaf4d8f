#pragma once
#include <cstddef>
#include <cstdint>

// The Windows bitmap header, laid out byte for byte as <windows.h> declares
// it, so that images and their headers look the same on every platform.
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

struct DibColour {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};

struct DibHeader {
    DibInfoHeader bmiHeader;
    DibColour bmiColors[1];
};

inline constexpr std::uint32_t kDibRgb = 0; // BI_RGB

} // namespace weftcpplib
