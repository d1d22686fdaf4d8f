#pragma once
#include <cstdint>
#include <vector>

#include "core/CAEngine.h"
#include "core/FillBorder.h"

namespace tessel_test {

// Sizes the engine and leaves both grids all 0 (pattern 8 draws nothing).
inline void ResetEngine(core::CAEngine& engine, std::int32_t w, std::int32_t h, std::int16_t p1, std::int16_t p2,
                        std::int16_t p3, std::uint16_t tilling = core::TILE_CENTER)
{
    engine.SetSize(w, h);
    engine.param[0] = p1;
    engine.param[1] = p2;
    engine.param[2] = p3;
    engine.tilling = tilling;
    engine.init = 8;
    engine.Initialize();
}

// Refills the border ring of the current grid after a test wrote its interior.
inline void RefreshBorder(core::CAEngine& engine)
{
    core::FillBorder(engine.current.data, engine.current.cols, engine.current.rows, engine.tilling);
}

// The interior of the current grid, row by row.
inline std::vector<std::vector<short>> Interior(core::CAEngine& engine)
{
    std::vector<std::vector<short>> rows;
    for (std::int32_t y = 1; y + 1 < engine.height; ++y) {
        rows.emplace_back();
        for (std::int32_t x = 1; x + 1 < engine.width; ++x)
            rows.back().push_back(engine.current.at(x, y));
    }
    return rows;
}

inline bool AllCellsInRange(const weftcpplib::weft2dmapper<short>& grid)
{
    for (std::size_t i = 0, n = std::size_t{grid.cols} * grid.rows; i < n; ++i) {
        if (grid.data[i] < 0 || grid.data[i] > 255)
            return false;
    }
    return true;
}

} // namespace tessel_test
