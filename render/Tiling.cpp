#include "render/Tiling.h"

#include <algorithm>
#include <limits>

#include "core/TilingMode.h"
#include "platform/System.h"
#include "weftcpplib/FaultReport.h"

namespace render {
namespace {

// First tile position of a grid that has one tile centred in the extent.
std::int64_t GridStart(std::int64_t extent, std::int64_t tile)
{
    std::int64_t c = (extent - tile) / 2;
    if (c > 0) {
        c %= tile;
        if (c > 0)
            c -= tile;
    }
    return c;
}

// Whether the first row (column) of a half-shifted grid is the shifted one,
// chosen so that the centred tile is unshifted.
bool FirstIsShifted(std::int64_t extent, std::int64_t tile)
{
    const std::int64_t centred = (extent - tile) / 2;
    return centred > 0 && ((centred - 1) / tile) % 2 == 0;
}

std::int32_t ClampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                               std::numeric_limits<std::int32_t>::max()));
}

// The log has always named this placement by the image class it began in.
void ReportTileFault()
{
    wchar_t text[weftcpplib::kErrorTextUnits];
    weftcpplib::FormatErrorText(platform::LastErrorCode(), text);
    weftcpplib::ReportFault(L"weftcpplib::CDIBData::Tiling", text);
}

} // namespace

void Tiling(weftcpplib::CDIBData& image, const weftcpplib::CDIBData& source, std::int32_t tw, std::int32_t th,
            std::uint16_t mode)
{
    Tiling(weftcpplib::RowsOf(image), source, tw, th, mode);
}

bool TilesCoverAll(std::uint16_t mode, std::int32_t tw, std::int32_t th)
{
    return core::IsTilingMode(mode) && core::Repeats(static_cast<core::TilingMode>(mode)) && tw > 0 && th > 0;
}

void Tiling(const weftcpplib::ImageRows& rows, const weftcpplib::CDIBData& source, std::int32_t tw,
            std::int32_t th, std::uint16_t mode)
{
    const std::int64_t W = rows.width;
    const std::int64_t H = rows.height;
    auto place = [&](std::int64_t x, std::int64_t y) {
        if (!weftcpplib::PutTile(rows, ClampToInt32(x), ClampToInt32(y), tw, th, source))
            ReportTileFault();
    };

    if (!core::IsTilingMode(mode)) {
        place((W - tw) / 2, (H - th) / 2);
        return;
    }
    const auto tiling = static_cast<core::TilingMode>(mode);
    if (core::Repeats(tiling) && (tw <= 0 || th <= 0))
        return; // an empty tile would never advance the grid
    switch (tiling) {
    case core::TILE_FIT:
        return;
    case core::TILE_CENTER:
        place((W - tw) / 2, (H - th) / 2);
        return;
    case core::TILE_GRID:
        for (std::int64_t y = GridStart(H, th); y < H; y += th)
            for (std::int64_t x = GridStart(W, tw); x < W; x += tw)
                place(x, y);
        return;
    case core::TILE_SHIFT_H: {
        bool shifted = FirstIsShifted(H, th);
        for (std::int64_t y = GridStart(H, th); y < H; y += th, shifted = !shifted) {
            const std::int64_t s = shifted ? tw / 2 : 0;
            for (std::int64_t x = GridStart(W, tw); x < W + s; x += tw)
                place(x - s, y);
        }
        return;
    }
    case core::TILE_SHIFT_V: {
        bool shifted = FirstIsShifted(W, tw);
        for (std::int64_t x = GridStart(W, tw); x < W; x += tw, shifted = !shifted) {
            const std::int64_t s = shifted ? th / 2 : 0;
            for (std::int64_t y = GridStart(H, th); y < H + s; y += th)
                place(x, y - s);
        }
        return;
    }
    }
}

} // namespace render
