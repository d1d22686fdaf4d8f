#pragma once
#include <cstdint>
#include <string_view>

namespace ui {

// One numeric edit box of the settings dialog: the string-table ids of its
// message for an empty box and of its printf-style message for a value out
// of range (taking the bounds), and its bounds.
struct FieldRule {
    int control_id;
    unsigned empty_text;
    unsigned range_text;
    std::int32_t lo;
    std::int32_t hi;
};

// What a check found; the dialog says why a box failed.
enum class FieldCheck { ok, empty, out_of_range };

extern const FieldRule kFpsField;
extern const FieldRule kDropField;
extern const FieldRule kTimeField;
extern const FieldRule kWidthField;
extern const FieldRule kHeightField;
extern const FieldRule kSceneTimeField;
extern const FieldRule kSceneWidthField;
extern const FieldRule kSceneHeightField;

// Each check reads the text of its box into value and says whether it
// passes. Text that holds no number
// leaves value as it was, and the range check applies to that value; the
// parsed value is kept even when it fails the range check.

// Frame rate, "%u", 1 to 120.
FieldCheck CheckFps(std::wstring_view text, std::uint32_t& fps);
// Frame drop, "%hd", 0 to 9 read as unsigned 16-bit (so -1 fails).
FieldCheck CheckDrop(std::wstring_view text, std::int16_t& drop);
// Play time in minutes, "%d": the rule's range or 0 (no limit).
FieldCheck CheckMinutes(const FieldRule& rule, std::wstring_view text, std::int32_t& minutes);
// Frame width or height in cells, "%d", the rule's range.
FieldCheck CheckCells(const FieldRule& rule, std::wstring_view text, std::int32_t& cells);

// Largest text each box accepts: the number of digits of its upper bound.
int TextLimit(const FieldRule& rule);

} // namespace ui
