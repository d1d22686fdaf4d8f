#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// One numeric edit box of the settings dialog: the message for an empty box,
// the printf-style message for a value out of range, and its bounds.
struct FieldRule {
    int control_id;
    const wchar_t* empty_message;
    const wchar_t* range_message;
    std::int32_t lo;
    std::int32_t hi;
};

extern const FieldRule kFpsField;
extern const FieldRule kDropField;
extern const FieldRule kTimeField;
extern const FieldRule kWidthField;
extern const FieldRule kHeightField;
extern const FieldRule kSceneTimeField;
extern const FieldRule kSceneWidthField;
extern const FieldRule kSceneHeightField;

// Each check reads the text of its box into value and returns the message to
// show, or an empty string when the text passes. Text that holds no number
// leaves value as it was, and the range check applies to that value; the
// parsed value is kept even when it fails the range check.

// Frame rate, "%u", 1 to 120.
std::wstring CheckFps(std::wstring_view text, std::uint32_t& fps);
// Frame drop, "%hd", 0 to 9 read as unsigned 16-bit (so -1 fails).
std::wstring CheckDrop(std::wstring_view text, std::int16_t& drop);
// Play time in minutes, "%d": the rule's range or 0 (no limit).
std::wstring CheckMinutes(const FieldRule& rule, std::wstring_view text, std::int32_t& minutes);
// Frame width or height in cells, "%d", the rule's range.
std::wstring CheckCells(const FieldRule& rule, std::wstring_view text, std::int32_t& cells);

// Largest text each box accepts: the number of digits of its upper bound.
int TextLimit(const FieldRule& rule);

} // namespace ui
