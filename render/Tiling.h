#pragma once
#include <cstdint>

#include "weftcpplib/CDIBData.h"

namespace render {

// Lays the source's inner tw x th block (past its one-pixel border) over
// `image` by tiling mode (core/TilingMode.h): one centred tile, a grid with
// one tile centred, or a grid with every other row or column shifted by half
// a tile; the fit mode draws nothing and values that name no mode centre one
// tile. Each copy that fails is reported and tiling goes on.
void Tiling(weftcpplib::CDIBData& image, const weftcpplib::CDIBData& source, std::int32_t tw, std::int32_t th,
            std::uint16_t mode);
// The same into rows of memory outside the image (a front end's shared
// picture), which thus never needs the image in between.
void Tiling(const weftcpplib::ImageRows& rows, const weftcpplib::CDIBData& source, std::int32_t tw,
            std::int32_t th, std::uint16_t mode);

// Whether the mode covers every pixel of the picture with tiles of that
// size, so that nothing drawn before shows through.
bool TilesCoverAll(std::uint16_t mode, std::int32_t tw, std::int32_t th);

} // namespace render
