#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace weftcpplib {

// How the cell image is laid over the screen: the stored values of a scene's
// `tilling`. The same values choose how the border ring of the cells and of
// the cell image is filled. A new mode is an entry here and in
// kTilingModes; -Wswitch then points at every switch that must handle it.
enum TilingMode : std::uint16_t {
    TILE_CENTER = 0,  // one tile in the middle
    TILE_FIT = 1,     // no tiles: the cell image is stretched over the screen
    TILE_GRID = 2,    // a plain grid of tiles, one of them centred
    TILE_SHIFT_H = 3, // rows of tiles, every other row shifted by half a tile
    TILE_SHIFT_V = 4, // columns of tiles, every other column shifted by half a tile
};

struct TilingModeInfo {
    TilingMode mode;
    const wchar_t* label; // as the settings dialog lists it
};

// Every mode, in value order.
inline constexpr TilingModeInfo kTilingModes[] = {
    {TILE_CENTER, L"中央に配置（１枚）"},
    {TILE_FIT, L"画面に合わせる（１枚）"},
    {TILE_GRID, L"格子"},
    {TILE_SHIFT_H, L"横1/2ずらし"},
    {TILE_SHIFT_V, L"縦1/2ずらし"},
};

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
        if (kTilingModes[i].mode != i)
            return false;
    return true;
}
static_assert(TilingModesInValueOrder());

} // namespace weftcpplib
