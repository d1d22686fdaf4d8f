#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>

namespace config {

// Play modes, the values of CommonSettings::play: how the scheduler picks the
// next scene. A new mode is an entry here and in kPlayModes, and a radio
// button in the settings dialog (its id follows IDC_PLAY_RULE_CODE).
enum : std::int32_t {
    PLAY_RULE_CODE = 0,
    PLAY_RULE_SELECT = 1,
    PLAY_LIST_ORDER = 2,
    PLAY_LIST_SHUFFLE = 3,
    PLAY_LIST_ONE = 4,
};

// Every mode, in value order.
inline constexpr std::int32_t kPlayModes[] = {PLAY_RULE_CODE, PLAY_RULE_SELECT, PLAY_LIST_ORDER, PLAY_LIST_SHUFFLE,
                                              PLAY_LIST_ONE};

inline constexpr std::int32_t kPlayModeCount = static_cast<std::int32_t>(std::size(kPlayModes));

// Whether a stored value names a mode.
constexpr bool IsPlayMode(std::int32_t value)
{
    return value >= 0 && value < kPlayModeCount;
}

consteval bool PlayModesInValueOrder()
{
    for (std::size_t i = 0; i < std::size(kPlayModes); ++i)
        if (kPlayModes[i] != static_cast<std::int32_t>(i))
            return false;
    return true;
}
static_assert(PlayModesInValueOrder());

} // namespace config
