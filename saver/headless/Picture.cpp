#include "saver/headless/Picture.h"

#include <algorithm>
#include <cstddef>

namespace saver::headless {

Picture PictureOf(const saver::FrameBuffer& frame)
{
    return {frame.width(), frame.height(), frame.pixels()};
}

Picture Shrink(const Picture& picture, int factor)
{
    if (factor <= 1)
        return picture;
    Picture out;
    out.width = (picture.width + factor - 1) / factor;
    out.height = (picture.height + factor - 1) / factor;
    out.pixels.resize(static_cast<std::size_t>(out.width) * out.height);
    for (int oy = 0; oy < out.height; ++oy) {
        const int y_end = std::min(picture.height, (oy + 1) * factor);
        for (int ox = 0; ox < out.width; ++ox) {
            const int x_end = std::min(picture.width, (ox + 1) * factor);
            std::uint32_t sum[3] = {0, 0, 0};
            std::uint32_t count = 0;
            for (int y = oy * factor; y < y_end; ++y) {
                const std::uint32_t* row = picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
                for (int x = ox * factor; x < x_end; ++x, ++count)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += (row[x] >> (8 * c)) & 0xFFu;
            }
            std::uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c)
                pixel |= ((sum[c] + count / 2) / count) << (8 * c);
            out.pixels[static_cast<std::size_t>(oy) * out.width + ox] = pixel;
        }
    }
    return out;
}

void Paste(const Picture& picture, Picture& sheet, int x, int y)
{
    for (int row = 0; row < picture.height; ++row) {
        const int sy = y + row;
        if (sy < 0 || sy >= sheet.height)
            continue;
        for (int col = 0; col < picture.width; ++col) {
            const int sx = x + col;
            if (sx >= 0 && sx < sheet.width)
                sheet.pixels[static_cast<std::size_t>(sy) * sheet.width + sx] =
                    picture.pixels[static_cast<std::size_t>(row) * picture.width + col];
        }
    }
}

} // namespace saver::headless
