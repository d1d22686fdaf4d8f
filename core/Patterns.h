#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace core {

// The initial patterns, the stored values of a scene's `init`. A new pattern
// is an entry here and in kInitPatterns, and a label in the settings
// dialog's string table; -Wswitch then points at DrawPattern.
enum class InitPattern : std::int16_t {
    Uniform = 0,   // evenly spread at random
    Centred = 1,   // at random, concentrated on the centre
    Line = 2,      // a horizontal line over the middle half
    Dot = 3,       // a disc of radius 16
    Cross = 4,     // a cross with arms a quarter of the shorter side
    Rectangle = 5, // a filled rectangle a quarter of each side
    Rhombus = 6,   // the rhombus inscribed in that rectangle
    Ellipse = 7,   // the ellipse inscribed in that rectangle
};

// Every pattern, in value order.
inline constexpr InitPattern kInitPatterns[] = {
    InitPattern::Uniform,   InitPattern::Centred, InitPattern::Line,    InitPattern::Dot,
    InitPattern::Cross,     InitPattern::Rectangle, InitPattern::Rhombus, InitPattern::Ellipse,
};

inline constexpr std::uint32_t kInitPatternCount = static_cast<std::uint32_t>(std::size(kInitPatterns));

consteval bool InitPatternsInValueOrder()
{
    for (std::size_t i = 0; i < std::size(kInitPatterns); ++i)
        if (static_cast<std::size_t>(kInitPatterns[i]) != i)
            return false;
    return true;
}
static_assert(InitPatternsInValueOrder());

// Sets to 255 the cells of a w x h row-major block chosen by initial pattern
// `pattern` (an InitPattern value); other values draw nothing. Cells not
// chosen are left as they are. Patterns 0 and 1 draw one random number per
// cell in storage order; the fixed figures are centred on (w / 2, h / 2) and
// clipped to the block.
void DrawPattern(short* cells, std::uint32_t w, std::uint32_t h, int pattern);

} // namespace core
