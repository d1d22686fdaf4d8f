#include "core/CAEngine.h"

#include <new>

#include "core/FillBorder.h"
#include "core/Patterns.h"

namespace core {

CAEngine::CAEngine() : current(130, 130), work(130, 130) {}

void CAEngine::SetSize(std::int32_t new_width, std::int32_t new_height)
{
    if (new_width == width && new_height == height)
        return;
    if (new_width < 0 || new_height < 0)
        throw std::bad_alloc();
    // Both grids are built before either is replaced, so a failed allocation
    // leaves the engine consistent. They start all 0 rather than undefined:
    // FillBorder leaves a few border cells unwritten (odd sizes in the shifted
    // tilings, unknown modes), and every reader indexes the palette by cell.
    weftcpplib::weft2dmapper<short> next_current(static_cast<std::uint32_t>(new_width),
                                                 static_cast<std::uint32_t>(new_height));
    weftcpplib::weft2dmapper<short> next_work(static_cast<std::uint32_t>(new_width),
                                              static_cast<std::uint32_t>(new_height));
    current.swap(next_current);
    work.swap(next_work);
    width = new_width;
    height = new_height;
}

void CAEngine::Initialize()
{
    std::lock_guard<std::mutex> guard(lock);
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    work.fill(0);
    DrawPattern(work.data, w, h, init);
    // Some border cells are never written in some modes (odd sizes in the
    // shifted tilings, unknown modes). They must read the same in every
    // generation and both grids, so they are kept 0: the pattern's own cells
    // on the ring are dropped here, and the grid that becomes the next work,
    // which may still hold an earlier scene's ring, is cleared below.
    core::FillBorder(work.data, w, h, core::TILE_CENTER);
    core::FillBorder(work.data, w, h, tilling);
    Publish();
    work.fill(0);
}

} // namespace core
