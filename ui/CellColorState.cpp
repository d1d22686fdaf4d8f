#include "ui/CellColorState.h"

#include <algorithm>

#include "render/CellPalette.h"
#include "ui/FieldScan.h"

namespace ui {
namespace {

constexpr std::int32_t kTurn = static_cast<std::int32_t>(render::kHueSteps);

std::int32_t NonNegativeRemainder(std::int64_t v, std::int32_t m)
{
    const auto r = static_cast<std::int32_t>(v % m);
    return r < 0 ? r + m : r;
}

std::uint32_t Pixel(std::int32_t hue, std::int32_t saturation, std::int32_t value)
{
    return render::HsvToPixel(static_cast<std::uint32_t>(hue), static_cast<std::uint32_t>(saturation),
                      static_cast<std::uint32_t>(value));
}

// 64-bit so that unclamped values from a damaged file cannot overflow.
std::int64_t Between(std::int64_t from, std::int64_t to, int i, int n)
{
    // Integer division truncates towards zero, as the gradient wants.
    return from + i * (to - from) / n;
}

} // namespace

bool IsHueSlot(int slot)
{
    return slot % 3 == 0;
}

std::int32_t SlotUpperBound(int slot)
{
    return IsHueSlot(slot) ? kTurn - 1 : 255;
}

CellColorState LoadColorState(const ColorExchange& exchange)
{
    CellColorState state;
    state.values[kHue0] = NonNegativeRemainder(exchange.h_min, kTurn);
    state.values[kSat0] = exchange.s_min2;
    state.values[kVal0] = exchange.v_min;
    state.values[kHue255] = NonNegativeRemainder(exchange.h_max, kTurn);
    state.values[kSat255] = exchange.s_max2;
    state.values[kVal255] = exchange.v_max;
    state.background_enabled = exchange.death_color >= 0;
    state.hue_reversed = exchange.h_max < exchange.h_min;
    if (state.background_enabled) {
        const auto pixel = static_cast<std::uint32_t>(exchange.death_color);
        const std::uint32_t largest = std::max({pixel & 0xFFu, (pixel >> 8) & 0xFFu, (pixel >> 16) & 0xFFu});
        state.values[kBgHue] = static_cast<std::int32_t>(render::PixelHue(pixel));
        state.values[kBgSat] = static_cast<std::int32_t>(render::PixelChroma(pixel));
        state.values[kBgVal] = static_cast<std::int32_t>(largest);
    }
    return state;
}

void UnrollHues(bool reversed, std::int32_t& first, std::int32_t& second)
{
    if (reversed && first < second)
        first += kTurn;
    else if (!reversed && second < first)
        second += kTurn;
}

ColorExchange StoreColorState(const CellColorState& state)
{
    const auto& v = state.values;
    ColorExchange exchange{v[kHue0], v[kSat0], v[kVal0], v[kHue255], v[kSat255], v[kVal255], -1};
    if (state.background_enabled)
        exchange.death_color = static_cast<std::int32_t>(Pixel(v[kBgHue], v[kBgSat], v[kBgVal]));
    UnrollHues(state.hue_reversed, exchange.h_min, exchange.h_max);
    return exchange;
}

std::int32_t ValueFromText(std::wstring_view text, std::int32_t previous, int slot)
{
    std::int32_t value = previous;
    if (text.empty())
        value = 0;
    else
        ScanInt(text, value);
    return std::clamp(value, 0, SlotUpperBound(slot));
}

std::uint32_t GradientColumnColor(const CellColorState& state, int i, int n)
{
    const auto& v = state.values;
    std::int32_t a = v[kHue0];
    std::int32_t b = v[kHue255];
    UnrollHues(state.hue_reversed, a, b);
    const std::int32_t hue = NonNegativeRemainder(Between(a, b, i, n), kTurn);
    const std::int32_t saturation = NonNegativeRemainder(Between(v[kSat0], v[kSat255], i, n), 256);
    const std::int32_t value = NonNegativeRemainder(Between(v[kVal0], v[kVal255], i, n), 256);
    return Pixel(hue, saturation, value);
}

std::uint32_t PreviewFillColor(const CellColorState& state)
{
    const auto& v = state.values;
    return state.background_enabled ? Pixel(v[kBgHue], v[kBgSat], v[kBgVal]) : Pixel(v[kHue0], v[kSat0], v[kVal0]);
}

} // namespace ui
