#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/FillBorder.h"
#include "render/CellPalette.h"
#include "weftcpplib/weft2darray.h"

namespace tessel_test {

// Plain references, written differently from the filters, that stay as the
// oracle for any faster version.
inline void ReferenceMedian(const weftcpplib::weft2darray<short>& grid, std::vector<std::uint32_t>& out,
                            std::uint16_t mode)
{
    const std::uint32_t w = grid.cols, h = grid.rows;
    for (std::uint32_t r = 1; r + 1 < h; ++r)
        for (std::uint32_t c = 1; c + 1 < w; ++c) {
            std::vector<short> nine;
            for (std::uint32_t y = r - 1; y <= r + 1; ++y)
                for (std::uint32_t x = c - 1; x <= c + 1; ++x)
                    nine.push_back(grid.data[y * w + x]);
            std::sort(nine.begin(), nine.end());
            out[r * w + c] = render::CellPalette[static_cast<std::uint8_t>(nine[4])];
        }
    core::FillBorder(out.data(), w, h, mode);
}

inline void ReferenceBlur(std::vector<std::uint32_t>& pixels, std::uint32_t w, std::uint32_t h, std::uint16_t mode)
{
    const std::vector<std::uint32_t> before = pixels;
    for (std::uint32_t r = 1; r + 1 < h; ++r)
        for (std::uint32_t c = 1; c + 1 < w; ++c) {
            std::uint32_t result = 0;
            for (int shift : {0, 8, 16}) {
                std::uint32_t sum = 0;
                for (std::uint32_t y = r - 1; y <= r + 1; ++y)
                    for (std::uint32_t x = c - 1; x <= c + 1; ++x)
                        sum += before[y * w + x] >> shift & 0xFF;
                result |= sum / 9 << shift;
            }
            pixels[r * w + c] = result;
        }
    core::FillBorder(pixels.data(), w, h, mode);
}

} // namespace tessel_test
