#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/TilingMode.h"

namespace core {

// Fills the one-element border ring of a w x h row-major block from its
// interior so that the edges see the neighbours the tiled picture shows:
// zeros for a single picture, the wrapped field (with half shifts) for the
// tiling modes. Values that name no mode write nothing. Serves 16-bit cells and 32-bit
// pixels alike.
template <typename T>
void FillBorder(T* cells, std::uint32_t w, std::uint32_t h, std::uint16_t mode)
{
    if (w == 0 || h == 0 || !IsTilingMode(mode))
        return;
    auto row = [&](std::uint32_t y) { return cells + static_cast<std::size_t>(y) * w; };
    const std::uint32_t hw = w / 2;
    const std::uint32_t hh = h / 2;

    auto copy_sides = [&] {
        for (std::uint32_t y = 1; y + 1 < h; ++y) {
            T* r = row(y);
            r[0] = r[w - 2];
            r[w - 1] = r[1];
        }
    };

    const auto tiling = static_cast<TilingMode>(mode);
    // The wrapping modes copy from the interior side of the ring.
    if (Repeats(tiling) && (w < 2 || h < 2))
        return;

    switch (tiling) {
    case TILE_CENTER:
    case TILE_FIT:
        for (std::uint32_t y = 1; y + 1 < h; ++y) {
            row(y)[0] = T{};
            row(y)[w - 1] = T{};
        }
        for (std::uint32_t x = 0; x < w; ++x) {
            row(0)[x] = T{};
            row(h - 1)[x] = T{};
        }
        break;
    case TILE_GRID:
        copy_sides();
        std::memmove(row(0), row(h - 2), sizeof(T) * w);
        std::memmove(row(h - 1), row(1), sizeof(T) * w);
        break;
    case TILE_SHIFT_H:
        copy_sides();
        for (std::uint32_t k = 0; k < hw; ++k) {
            row(0)[k] = row(h - 2)[w - hw - 1 + k];
            row(0)[hw + k] = row(h - 2)[1 + k];
        }
        for (std::uint32_t k = 0; k < hw; ++k) {
            row(h - 1)[k] = row(1)[hw - 1 + k];
            row(h - 1)[hw + k] = row(1)[1 + k];
        }
        break;
    case TILE_SHIFT_V:
        for (std::uint32_t x = 1; x + 1 < w; ++x) {
            row(0)[x] = row(h - 2)[x];
            row(h - 1)[x] = row(1)[x];
        }
        for (std::uint32_t k = 0; k < hh; ++k) {
            row(k)[0] = row(hh - 1 + k)[w - 2];
            row(hh + k)[0] = row(1 + k)[w - 2];
        }
        for (std::uint32_t k = 0; k < hh; ++k) {
            row(k)[w - 1] = row(hh - 1 + k)[1];
            row(hh + k)[w - 1] = row(1 + k)[1];
        }
        break;
    }
}

} // namespace core
