#pragma once
#include <cstdint>

namespace core {

// Sets to 255 the cells of a w x h row-major block chosen by initial pattern
// `pattern` (0 to 7); other values draw nothing. Cells not chosen are left as
// they are. Patterns 0 and 1 draw one random number per cell in storage
// order; the fixed figures are centred on (w / 2, h / 2) and clipped to the
// block.
void DrawPattern(short* cells, std::uint32_t w, std::uint32_t h, int pattern);

} // namespace core
