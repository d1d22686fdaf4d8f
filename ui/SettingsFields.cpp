#include "ui/SettingsFields.h"

#include "ui/DialogIds.h"
#include "ui/FieldScan.h"
#include "ui/TextIds.h"

namespace ui {

const FieldRule kFpsField{IDC_FPS, IDS_FPS_EMPTY, IDS_FPS_RANGE, 1, 120};
const FieldRule kDropField{IDC_DROP, IDS_DROP_EMPTY, IDS_DROP_RANGE, 0, 9};
const FieldRule kTimeField{IDC_TIME, IDS_TIME_EMPTY, IDS_TIME_RANGE, 1, 1440};
const FieldRule kWidthField{IDC_FSIZE_WIDTH, IDS_WIDTH_EMPTY, IDS_WIDTH_RANGE, 128, 1024};
const FieldRule kHeightField{IDC_FSIZE_HEIGHT, IDS_HEIGHT_EMPTY, IDS_HEIGHT_RANGE, 128, 1024};
const FieldRule kSceneTimeField{IDC_SCENE_TIME, IDS_SCENE_TIME_EMPTY, IDS_SCENE_TIME_RANGE, 1, 1440};
const FieldRule kSceneWidthField{IDC_SCENE_WIDTH, IDS_SCENE_WIDTH_EMPTY, IDS_SCENE_WIDTH_RANGE, 128, 1024};
const FieldRule kSceneHeightField{IDC_SCENE_HEIGHT, IDS_SCENE_HEIGHT_EMPTY, IDS_SCENE_HEIGHT_RANGE, 128, 1024};

FieldCheck CheckFps(std::wstring_view text, std::uint32_t& fps)
{
    if (text.empty())
        return FieldCheck::empty;
    ScanUnsigned(text, fps);
    const auto lo = static_cast<std::uint32_t>(kFpsField.lo);
    const auto hi = static_cast<std::uint32_t>(kFpsField.hi);
    if (fps - lo > hi - lo)
        return FieldCheck::out_of_range;
    return FieldCheck::ok;
}

FieldCheck CheckDrop(std::wstring_view text, std::int16_t& drop)
{
    if (text.empty())
        return FieldCheck::empty;
    ScanShort(text, drop);
    if (static_cast<std::uint16_t>(drop) > kDropField.hi)
        return FieldCheck::out_of_range;
    return FieldCheck::ok;
}

FieldCheck CheckMinutes(const FieldRule& rule, std::wstring_view text, std::int32_t& minutes)
{
    if (text.empty())
        return FieldCheck::empty;
    ScanInt(text, minutes);
    if (minutes != 0 && (minutes < rule.lo || minutes > rule.hi))
        return FieldCheck::out_of_range;
    return FieldCheck::ok;
}

FieldCheck CheckCells(const FieldRule& rule, std::wstring_view text, std::int32_t& cells)
{
    if (text.empty())
        return FieldCheck::empty;
    ScanInt(text, cells);
    if (cells < rule.lo || cells > rule.hi)
        return FieldCheck::out_of_range;
    return FieldCheck::ok;
}

int TextLimit(const FieldRule& rule)
{
    int digits = 1;
    for (std::int32_t v = rule.hi; v >= 10; v /= 10)
        ++digits;
    return digits;
}

} // namespace ui
