#include "saver/x11/PixelFormat.h"

#include <bit>

namespace saver::x11 {

ChannelMask DescribeMask(std::uint32_t mask)
{
    if (mask == 0)
        return {0, 0};
    return {std::countr_zero(mask), std::popcount(mask)};
}

PixelConverter::PixelConverter(std::uint32_t red_mask, std::uint32_t green_mask, std::uint32_t blue_mask)
    : red_(DescribeMask(red_mask)), green_(DescribeMask(green_mask)), blue_(DescribeMask(blue_mask)),
      identity_(red_mask == 0xFF0000u && green_mask == 0xFF00u && blue_mask == 0xFFu)
{
}

} // namespace saver::x11
