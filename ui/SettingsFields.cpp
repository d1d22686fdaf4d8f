#include "ui/SettingsFields.h"

#include "ui/DialogIds.h"
#include "ui/FieldScan.h"
#include "weftcpplib/WideFormat.h"

namespace ui {

const FieldRule kFpsField{IDC_FPS, L"更新レート の入力が誤っています", L"更新レート には %u～%u を入力してください", 1,
                          120};
const FieldRule kDropField{IDC_DROP, L"コマ落とし の入力が誤っています",
                           L"コマ落とし には %hd～%hd を入力してください", 0, 9};
const FieldRule kTimeField{IDC_TIME, L"再生時間 の入力が誤っています",
                           L"再生時間 には %d～%d または 0 を入力してください", 1, 1440};
const FieldRule kWidthField{IDC_FSIZE_WIDTH, L"フレームサイズ 横 の入力が誤っています",
                            L"フレームサイズ 横 には %d～%d を入力してください", 128, 1024};
const FieldRule kHeightField{IDC_FSIZE_HEIGHT, L"フレームサイズ 縦 の入力が誤っています",
                             L"フレームサイズ 縦 には %d～%d を入力してください", 128, 1024};
const FieldRule kSceneTimeField{IDC_SCENE_TIME, L"個別設定：再生時間 の入力が誤っています",
                                L"個別設定：再生時間 には %d～%d または 0 を入力してください", 1, 1440};
const FieldRule kSceneWidthField{IDC_SCENE_WIDTH, L"個別設定：フレームサイズ 横 の入力が誤っています",
                                 L"個別設定：フレームサイズ 横 には %d～%d を入力してください", 128, 1024};
const FieldRule kSceneHeightField{IDC_SCENE_HEIGHT, L"個別設定：フレームサイズ 縦 の入力が誤っています",
                                  L"個別設定：フレームサイズ 縦 には %d～%d を入力してください", 128, 1024};

namespace {

// Messages are formatted into a buffer of the dialog's text size.
constexpr std::size_t kMessageUnits = 160;

std::wstring RangeMessage(const FieldRule& rule)
{
    wchar_t buffer[kMessageUnits];
    weftcpplib::FormatWide(buffer, kMessageUnits, rule.range_message, rule.lo, rule.hi);
    return buffer;
}

} // namespace

std::wstring CheckFps(std::wstring_view text, std::uint32_t& fps)
{
    if (text.empty())
        return kFpsField.empty_message;
    ScanUnsigned(text, fps);
    const auto lo = static_cast<std::uint32_t>(kFpsField.lo);
    const auto hi = static_cast<std::uint32_t>(kFpsField.hi);
    if (fps - lo > hi - lo)
        return RangeMessage(kFpsField);
    return {};
}

std::wstring CheckDrop(std::wstring_view text, std::int16_t& drop)
{
    if (text.empty())
        return kDropField.empty_message;
    ScanShort(text, drop);
    if (static_cast<std::uint16_t>(drop) > kDropField.hi)
        return RangeMessage(kDropField);
    return {};
}

std::wstring CheckMinutes(const FieldRule& rule, std::wstring_view text, std::int32_t& minutes)
{
    if (text.empty())
        return rule.empty_message;
    ScanInt(text, minutes);
    if (minutes != 0 && (minutes < rule.lo || minutes > rule.hi))
        return RangeMessage(rule);
    return {};
}

std::wstring CheckCells(const FieldRule& rule, std::wstring_view text, std::int32_t& cells)
{
    if (text.empty())
        return rule.empty_message;
    ScanInt(text, cells);
    if (cells < rule.lo || cells > rule.hi)
        return RangeMessage(rule);
    return {};
}

int TextLimit(const FieldRule& rule)
{
    int digits = 1;
    for (std::int32_t v = rule.hi; v >= 10; v /= 10)
        ++digits;
    return digits;
}

} // namespace ui
