#include "saver/InputPolicy.h"

#include <cstdlib>

namespace saver {
namespace {

// Power events (pbt.h), spelled out so the decision stays portable.
constexpr std::uintptr_t kQuerySuspend = 0x0000;
constexpr std::uintptr_t kPowerStatusChange = 0x000A;
constexpr std::uintptr_t kPowerSettingChange = 0x8013;
constexpr std::uintptr_t kResumeAutomatic = 0x0012;

// System commands (winuser.h).
constexpr std::uintptr_t kNextWindow = 0xF040;
constexpr std::uintptr_t kPrevWindow = 0xF050;
constexpr std::uintptr_t kScreenSave = 0xF140;
constexpr std::uintptr_t kMonitorPower = 0xF170;

} // namespace

bool MouseMovedBeyondThreshold(CursorPoint origin, CursorPoint now)
{
    return std::labs(now.x - origin.x) + std::labs(now.y - origin.y) > kMouseThreshold;
}

PointerAction DecidePointerMove(const PointerPlace& origin, const PointerPlace& now)
{
    if (!(origin.screen == now.screen))
        return PointerAction::Rebase;
    return MouseMovedBeyondThreshold(origin.point, now.point) ? PointerAction::Close : PointerAction::Stay;
}

PowerAction DecidePowerBroadcast(std::uintptr_t event, std::intptr_t data)
{
    if (event == kQuerySuspend)
        return PowerAction::AllowSuspend;
    if ((event >= 1 && event <= 5) || event == 9)
        return PowerAction::Close;
    if ((event >= 6 && event <= 8) || event == kResumeAutomatic)
        return (data & 1) ? PowerAction::Ignore : PowerAction::Close;
    if (event == kPowerStatusChange || event == kPowerSettingChange)
        return PowerAction::Ignore;
    return PowerAction::Close;
}

SysCommandAction DecideSysCommand(std::uintptr_t command)
{
    switch (command & 0xFFF0) {
    case kNextWindow:
    case kPrevWindow:
    case kScreenSave:
        return SysCommandAction::Swallow;
    case kMonitorPower:
        return SysCommandAction::CloseFirst;
    default:
        return SysCommandAction::PassOn;
    }
}

} // namespace saver
