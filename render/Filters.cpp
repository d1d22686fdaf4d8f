#include "render/Filters.h"

#include <memory>
#include <utility>

#include "core/FillBorder.h"
#include "render/CellPalette.h"
#include "render/simd/VectorFilters.h"

namespace render {

namespace {

// Branch-free on random data: min and max compile to conditional moves.
inline int Min(int a, int b) { return a < b ? a : b; }
inline int Max(int a, int b) { return a < b ? b : a; }

inline void Order(int& a, int& b)
{
    const int lo = Min(a, b);
    b = Max(a, b);
    a = lo;
}

inline int Min3(int a, int b, int c) { return Min(Min(a, b), c); }
inline int Max3(int a, int b, int c) { return Max(Max(a, b), c); }
inline int Med3(int a, int b, int c) { return Max(Min(a, b), Min(Max(a, b), c)); }

// One grid column of three cells, sorted.
struct Column {
    int lo, mid, hi;
};

inline Column SortedColumn(const short* above, const short* here, const short* below, std::uint32_t c)
{
    int a = above[c], b = here[c], d = below[c];
    Order(a, b);
    Order(b, d);
    Order(a, b);
    return {a, b, d};
}

// With each column sorted, the median of the nine is the median of the
// largest low, the middle middle and the smallest high; the sorted columns
// are shared by three neighbouring pixels.
inline int MedianOf(const Column& l, const Column& m, const Column& r)
{
    return Med3(Max3(l.lo, m.lo, r.lo), Med3(l.mid, m.mid, r.mid), Min3(l.hi, m.hi, r.hi));
}

// The filters take images laid out bottom-up with a positive size; anything
// else is left alone.
bool UsableSize(std::int32_t w, std::int32_t h) { return w >= 1 && h >= 1; }

} // namespace

bool MedianToImage(const weftcpplib::weft2darray<short>& grid, weftcpplib::CDIBData& image, std::uint16_t mode)
{
    const std::int32_t width = image.Width();
    const std::int32_t height = image.Height();
    if (!UsableSize(width, height) || grid.cols != static_cast<std::uint32_t>(width) ||
        grid.rows != static_cast<std::uint32_t>(height) || grid.data == nullptr)
        return false;
    const std::uint32_t w = grid.cols;
    const std::uint32_t h = grid.rows;
    std::uint32_t* const pixels = image.Pixels();
    const std::uint32_t* palette = CellPalette;

    // The vector forms give the same pixels; this loop is their fallback.
    const bool vector_done = render::simd::MedianInteriorVector(grid.data, pixels, w, h);
    for (std::uint32_t r = 1; !vector_done && r + 1 < h && w >= 3; ++r) {
        const short* above = grid.data + static_cast<std::size_t>(r - 1) * w;
        const short* here = above + w;
        const short* below = here + w;
        std::uint32_t* out = pixels + static_cast<std::size_t>(r) * w;
        Column left = SortedColumn(above, here, below, 0);
        Column mid = SortedColumn(above, here, below, 1);
        for (std::uint32_t c = 1; c + 1 < w; ++c) {
            const Column right = SortedColumn(above, here, below, c + 1);
            // Cells outside 0..255 would index past the palette; the low byte keeps it safe.
            out[c] = palette[static_cast<std::uint8_t>(MedianOf(left, mid, right))];
            left = mid;
            mid = right;
        }
    }
    core::FillBorder(pixels, w, h, mode);
    return true;
}

namespace {

// Per-channel three-pixel horizontal sums of one row, for columns 1..w-2.
struct RowSums {
    std::unique_ptr<std::uint32_t[]> blue, green, red;

    explicit RowSums(std::uint32_t w)
        : blue(new std::uint32_t[w]()), green(new std::uint32_t[w]()), red(new std::uint32_t[w]())
    {
    }

    void Take(const std::uint32_t* row, std::uint32_t w)
    {
        std::uint32_t* b = blue.get();
        std::uint32_t* g = green.get();
        std::uint32_t* r = red.get();
        for (std::uint32_t c = 1; c + 1 < w; ++c) {
            const std::uint32_t p0 = row[c - 1], p1 = row[c], p2 = row[c + 1];
            b[c] = (p0 & 0xFF) + (p1 & 0xFF) + (p2 & 0xFF);
            g[c] = (p0 >> 8 & 0xFF) + (p1 >> 8 & 0xFF) + (p2 >> 8 & 0xFF);
            r[c] = (p0 >> 16 & 0xFF) + (p1 >> 16 & 0xFF) + (p2 >> 16 & 0xFF);
        }
    }
};

void WriteMeans(const RowSums& above, const RowSums& here, const RowSums& below, std::uint32_t* out,
                std::uint32_t w)
{
    const std::uint32_t *ab = above.blue.get(), *ag = above.green.get(), *ar = above.red.get();
    const std::uint32_t *hb = here.blue.get(), *hg = here.green.get(), *hr = here.red.get();
    const std::uint32_t *bb = below.blue.get(), *bg = below.green.get(), *br = below.red.get();
    for (std::uint32_t c = 1; c + 1 < w; ++c) {
        const std::uint32_t blue = (ab[c] + hb[c] + bb[c]) / 9;
        const std::uint32_t green = (ag[c] + hg[c] + bg[c]) / 9;
        const std::uint32_t red = (ar[c] + hr[c] + br[c]) / 9;
        out[c] = red << 16 | green << 8 | blue;
    }
}

} // namespace

void BoxBlur(weftcpplib::CDIBData& image, std::uint16_t mode)
{
    const std::int32_t width = image.Width();
    const std::int32_t height = image.Height();
    if (!UsableSize(width, height))
        return;
    const auto w = static_cast<std::uint32_t>(width);
    const auto h = static_cast<std::uint32_t>(height);
    std::uint32_t* const pixels = image.Pixels();
    auto row = [&](std::uint32_t r) { return pixels + static_cast<std::size_t>(r) * w; };

    if (h >= 3 && w >= 3 && !render::simd::BlurInteriorVector(pixels, w, h)) {
        RowSums above(w), here(w), below(w);
        above.Take(row(0), w);
        here.Take(row(1), w);
        for (std::uint32_t r = 1; r + 1 < h; ++r) {
            // Row r + 1 is still untouched; row r - 1 was summed before it was rewritten.
            below.Take(row(r + 1), w);
            WriteMeans(above, here, below, row(r), w);
            std::swap(above, here);
            std::swap(here, below);
        }
    }
    core::FillBorder(pixels, w, h, mode);
}

} // namespace render
