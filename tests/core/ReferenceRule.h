#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/FillBorder.h"

namespace tessel_test {

// A plain copy of a field, addressed by (x, y), for the reference rule.
struct Field {
    std::uint32_t w = 0;
    std::uint32_t h = 0;
    std::vector<short> cells;

    Field(std::uint32_t width, std::uint32_t height) : w(width), h(height), cells(std::size_t{width} * height, 0) {}
    Field(const short* data, std::uint32_t width, std::uint32_t height)
        : w(width), h(height), cells(data, data + std::size_t{width} * height)
    {
    }
    short& at(std::uint32_t x, std::uint32_t y) { return cells.at(std::size_t{y} * w + x); }
    short at(std::uint32_t x, std::uint32_t y) const { return cells.at(std::size_t{y} * w + x); }
};

// The update rule stated as plainly as possible, cell by cell: the oracle
// that the engine's optimised Step must match. The border ring of the result
// starts at 0 and is then filled by tiling mode.
inline Field ReferenceStep(const Field& now, const std::int16_t param[3], std::uint16_t tilling, bool& alive)
{
    Field next(now.w, now.h);
    alive = false;
    for (std::uint32_t y = 1; y + 1 < now.h; ++y) {
        for (std::uint32_t x = 1; x + 1 < now.w; ++x) {
            const int v = now.at(x, y);
            int n;
            if (v != 0) {
                n = v > param[2] ? std::min(v - param[2], 255) : 0;
            } else {
                int sum = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += now.at(x + dx, y + dy);
                const int mean = sum / 8;
                n = param[0] <= mean && mean <= param[1] ? 255 : 0;
            }
            next.at(x, y) = static_cast<short>(n);
            alive = alive || n != 0;
        }
    }
    core::FillBorder(next.cells.data(), next.w, next.h, tilling);
    return next;
}

} // namespace tessel_test
