#pragma once
#include <cstdint>

#include "weftcpplib/CDIBData.h"
#include "weftcpplib/weft2darray.h"

namespace render {

// Image processing bits of a scene's proc, applied noise removal first.
// Both filters write only the interior and then refill the one-pixel border
// by the tiling mode, so the edges match what the tiled screen shows.

// Colours each interior pixel with the palette entry of the median of the
// 3 x 3 cells around it. False, touching nothing, when grid and image differ
// in size.
bool MedianToImage(const weftcpplib::weft2darray<short>& grid, weftcpplib::CDIBData& image, std::uint16_t mode);

// Replaces each interior pixel by the mean (rounded down) of the 3 x 3 pixels
// around it as they stood before the call, channel by channel.
void BoxBlur(weftcpplib::CDIBData& image, std::uint16_t mode);

} // namespace render
