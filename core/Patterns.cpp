#include "core/Patterns.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "platform/Random.h"

namespace core {
namespace {

constexpr short kBorn = 255;

// Evenly spread: each cell with a chance of 33/256.
void DrawUniform(short* cells, std::size_t count)
{
    for (short* cell = cells; cell != cells + count; ++cell) {
        if (platform::Random32() % 256u < 33u)
            *cell = kBorn;
    }
}

// Concentrated on the centre: certain within 1/64 of the half-extent, then
// falling off as 1/(64 g) with the normalised distance g.
void DrawCentred(short* cells, std::uint32_t w, std::uint32_t h)
{
    for (std::uint32_t y = 0; y < h; ++y) {
        short* row = cells + static_cast<std::size_t>(y) * w;
        const double dy = (y - h * 0.5) * 4 / h;
        for (std::uint32_t x = 0; x < w; ++x) {
            const double dx = (x - w * 0.5) * 4 / w;
            const double g = std::sqrt((dx * dx + dy * dy) * 0.25);
            const double r = platform::Random32();
            if (std::sqrt(g * r / 4294967295.0) < 0.125)
                row[x] = kBorn;
        }
    }
}

// Sets the cells of the box [x0, x1] x [y0, y1], clipped to the block, for
// which inside(x - cx, y - cy) holds.
template <typename Inside>
void DrawFigure(short* cells, std::uint32_t w, std::uint32_t h, std::int64_t x0, std::int64_t x1, std::int64_t y0,
                std::int64_t y1, Inside inside)
{
    const std::int64_t cx = w / 2;
    const std::int64_t cy = h / 2;
    x0 = std::max<std::int64_t>(x0, 0);
    y0 = std::max<std::int64_t>(y0, 0);
    x1 = std::min<std::int64_t>(x1, static_cast<std::int64_t>(w) - 1);
    y1 = std::min<std::int64_t>(y1, static_cast<std::int64_t>(h) - 1);
    for (std::int64_t y = y0; y <= y1; ++y) {
        short* row = cells + static_cast<std::size_t>(y) * w;
        for (std::int64_t x = x0; x <= x1; ++x) {
            if (inside(x - cx, y - cy))
                row[x] = kBorn;
        }
    }
}

// A semi-axis of 0 (a block narrower than 8) leaves only the centre line,
// where the matching offset is 0: the term counts as 0 there.
double EllipseTerm(std::int64_t d, std::int64_t axis)
{
    return axis == 0 ? 0.0 : static_cast<double>(d) * d / axis / axis;
}

} // namespace

void DrawPattern(short* cells, std::uint32_t w, std::uint32_t h, int pattern)
{
    const std::int64_t cx = w / 2;
    const std::int64_t cy = h / 2;
    const std::int64_t a = w / 8;
    const std::int64_t b = h / 8;
    auto everywhere = [](std::int64_t, std::int64_t) { return true; };

    if (pattern < 0 || static_cast<std::uint32_t>(pattern) >= kInitPatternCount)
        return;
    switch (static_cast<InitPattern>(pattern)) {
    case InitPattern::Uniform:
        DrawUniform(cells, static_cast<std::size_t>(w) * h);
        break;
    case InitPattern::Centred:
        DrawCentred(cells, w, h);
        break;
    case InitPattern::Line:
        DrawFigure(cells, w, h, w / 4, static_cast<std::int64_t>(w) - w / 4 - 1, cy, cy, everywhere);
        break;
    case InitPattern::Dot:
        DrawFigure(cells, w, h, cx - 16, cx + 16, cy - 16, cy + 16,
                   [](std::int64_t dx, std::int64_t dy) { return dx * dx + dy * dy <= 256; });
        break;
    case InitPattern::Cross: {
        const std::int64_t q = h < w ? h / 4 : w / 4;
        DrawFigure(cells, w, h, cx - q, cx + q, cy, cy, everywhere);
        DrawFigure(cells, w, h, cx, cx, cy - q, cy + q, everywhere);
        break;
    }
    case InitPattern::Rectangle:
        DrawFigure(cells, w, h, cx - a, cx + a, cy - b, cy + b, everywhere);
        break;
    case InitPattern::Rhombus:
        DrawFigure(cells, w, h, cx - a, cx + a, cy - b, cy + b, [a, b](std::int64_t dx, std::int64_t dy) {
            const std::int64_t across = a == 0 ? 0 : b * std::abs(dx) / a;
            return std::abs(dy) + across <= b;
        });
        break;
    case InitPattern::Ellipse:
        DrawFigure(cells, w, h, cx - a, cx + a, cy - b, cy + b, [a, b](std::int64_t dx, std::int64_t dy) {
            return EllipseTerm(dx, a) + EllipseTerm(dy, b) <= 1.0;
        });
        break;
    }
}

} // namespace core
