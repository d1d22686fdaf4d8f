#pragma once
#include <cstdint>
#include <vector>

#include "saver/FrameBuffer.h"

// A picture in memory as the image files take it: rows top-down,
// 0x00RRGGBB pixels.
namespace saver::headless {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

Picture PictureOf(const saver::FrameBuffer& frame);

// Each factor x factor block averaged into one pixel (a partial block at
// the right or bottom edge too).
Picture Shrink(const Picture& picture, int factor);

// Copies the picture into the sheet with its top left corner at (x, y).
void Paste(const Picture& picture, Picture& sheet, int x, int y);

} // namespace saver::headless
