#include <benchmark/benchmark.h>

#include <cstdint>

#include "core/TilingMode.h"
#include "render/CellColoring.h"
#include "render/CellPalette.h"
#include "render/Filters.h"
#include "render/Tiling.h"
#include "weftcpplib/CDIBData.h"
#include "weftcpplib/weft2darray.h"

namespace {

// The frame loop's usual sizes: an 800 x 600 field with its border, shown on
// a 1920 x 1080 screen.
constexpr std::uint32_t kCellW = 802, kCellH = 602;

// A field like a running scene's: mostly dead, live cells decaying from 255.
void Seed(weftcpplib::weft2darray<short>& grid)
{
    std::uint32_t state = 0x12345678u;
    for (std::uint32_t i = 0; i < grid.cols * grid.rows; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        grid.data[i] = static_cast<short>(state % 4 == 0 ? state >> 8 & 0xFF : 0);
    }
}

void BM_ColorCells(benchmark::State& state)
{
    render::BuildPalette(0, 255, 255, 1530, 255, 255, 0);
    weftcpplib::weft2dmapper<short> grid(kCellW, kCellH);
    Seed(grid);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    for (auto _ : state) {
        render::ColorCells(grid.data, image->Pixels(), static_cast<std::size_t>(kCellW) * kCellH);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCellW * kCellH);
}
BENCHMARK(BM_ColorCells);

void BM_MedianToImage(benchmark::State& state)
{
    render::BuildPalette(0, 255, 255, 1530, 255, 255, 0);
    weftcpplib::weft2dmapper<short> grid(kCellW, kCellH);
    Seed(grid);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    for (auto _ : state) {
        render::MedianToImage(grid, *image, core::TILE_GRID);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCellW * kCellH);
}
BENCHMARK(BM_MedianToImage);

void BM_BoxBlur(benchmark::State& state)
{
    render::BuildPalette(0, 255, 255, 1530, 255, 255, 0);
    weftcpplib::weft2dmapper<short> grid(kCellW, kCellH);
    Seed(grid);
    auto image = weftcpplib::MakeImage(kCellW, kCellH);
    for (auto _ : state) {
        state.PauseTiming();
        render::ColorCells(grid.data, image->Pixels(), static_cast<std::size_t>(kCellW) * kCellH);
        state.ResumeTiming();
        render::BoxBlur(*image, core::TILE_GRID);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCellW * kCellH);
}
BENCHMARK(BM_BoxBlur);

void BM_Tiling(benchmark::State& state)
{
    const auto mode = static_cast<std::uint16_t>(state.range(0));
    auto cells = weftcpplib::MakeImage(kCellW, kCellH);
    cells->Fill(0x00336699u);
    auto screen = weftcpplib::MakeImage(1920, 1080);
    for (auto _ : state) {
        render::Tiling(*screen, *cells, kCellW - 2, kCellH - 2, mode);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}
BENCHMARK(BM_Tiling)->Arg(core::TILE_CENTER)->Arg(core::TILE_GRID)->Arg(core::TILE_SHIFT_H)->Arg(core::TILE_SHIFT_V);

} // namespace
