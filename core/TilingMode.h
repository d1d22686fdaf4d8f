#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace core {

// How the cell image is laid over the screen: the stored values of a scene's
// `tilling`. The same values choose how the border ring of the cells and of
// the cell image is filled. A new mode is an entry here and in
// kTilingModes, and a label in the settings dialog's string table;
// -Wswitch then points at every switch that must handle it. The modes live
// with the engine, whose field wraps as the picture repeats; the renderer
// lays the picture by them (render/Tiling.h).
enum TilingMode : std::uint16_t {
    TILE_CENTER = 0,  // one tile in the middle
    TILE_FIT = 1,     // no tiles: the cell image is stretched over the screen
    TILE_GRID = 2,    // a plain grid of tiles, one of them centred
    TILE_SHIFT_H = 3, // rows of tiles, every other row shifted by half a tile
    TILE_SHIFT_V = 4, // columns of tiles, every other column shifted by half a tile
};

// Every mode, in value order.
inline constexpr TilingMode kTilingModes[] = {TILE_CENTER, TILE_FIT, TILE_GRID, TILE_SHIFT_H, TILE_SHIFT_V};

inline constexpr std::uint16_t kTilingModeCount = static_cast<std::uint16_t>(std::size(kTilingModes));

// Whether a stored value names a mode; other values are kept as stored and
// read as a single centred picture.
constexpr bool IsTilingMode(std::uint16_t value)
{
    return value < kTilingModeCount;
}

// Whether a mode repeats the picture, so that the field wraps around at its
// edges.
constexpr bool Repeats(TilingMode mode)
{
    switch (mode) {
    case TILE_CENTER:
    case TILE_FIT:
        return false;
    case TILE_GRID:
    case TILE_SHIFT_H:
    case TILE_SHIFT_V:
        return true;
    }
    return false;
}

consteval bool TilingModesInValueOrder()
{
    for (std::size_t i = 0; i < std::size(kTilingModes); ++i)
        if (kTilingModes[i] != i)
            return false;
    return true;
}
static_assert(TilingModesInValueOrder());

} // namespace core
