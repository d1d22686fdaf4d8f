#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace ui {

// The seven colour fields of a scene, in the order the colour dialog takes
// and hands them back.
struct ColorExchange {
    std::int32_t h_min;
    std::int32_t s_min2;
    std::int32_t v_min;
    std::int32_t h_max;
    std::int32_t s_max2;
    std::int32_t v_max;
    std::int32_t death_color;
};

// The nine numbers of the colour dialog, in the order of its edit boxes and
// trackbars: hue, saturation and value of cell 0, of cell 255 and of the
// background.
enum ColorSlot : int {
    kHue0, kSat0, kVal0,
    kHue255, kSat255, kVal255,
    kBgHue, kBgSat, kBgVal,
    kColorSlotCount
};

struct CellColorState {
    std::array<std::int32_t, kColorSlotCount> values{};
    bool background_enabled = false;
    bool hue_reversed = false;
};

// Largest value the user may enter in a slot: 1529 for hues, 255 otherwise.
std::int32_t SlotUpperBound(int slot);
bool IsHueSlot(int slot);

// Opening: hues reduced to one turn, the direction taken from the stored
// pair, the background split into hue, saturation and value. Saturations
// and values are taken over unclamped.
CellColorState LoadColorState(const ColorExchange& exchange);

// OK: the hues are unrolled so that their order tells the direction.
ColorExchange StoreColorState(const CellColorState& state);

// The gradient's hue ends after unrolling: with the reversed order the first
// end lies above the second, otherwise the second above the first.
void UnrollHues(bool reversed, std::int32_t& first, std::int32_t& second);

// What an edit box's text turns into when it loses the focus: empty gives 0,
// text without a number keeps `previous`, negatives become 0, and values
// above the slot's bound are cut to it.
std::int32_t ValueFromText(std::wstring_view text, std::int32_t previous, int slot);

// Colour of gradient column i (1 to n) of a preview whose gradient has n
// columns after its first; column n carries the cell-255 colour.
std::uint32_t GradientColumnColor(const CellColorState& state, int i, int n);

// Colour the whole preview starts from: the background, or cell 0 without one.
std::uint32_t PreviewFillColor(const CellColorState& state);

} // namespace ui
