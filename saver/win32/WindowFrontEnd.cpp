#include "saver/win32/WindowFrontEnd.h"

#include "platform/System.h"
#include "platform/win32/DeviceBitmap.h"
#include "platform/win32/GdiHandles.h"
#include "weftcpplib/CWeftLogManager.h"

namespace saver::win32 {
namespace {

using platform::win32::DeviceBitmap;
using platform::win32::WindowDC;

// The stored log names the frame loop's failures "Tessel.cpp". The line is
// this file's, not that of the frame loop's call: one call there (a frame's
// presentation) fails in any of several calls here, and only this file's
// line tells them apart. Each failing step below has a line of its own.
#define LOG_FRAME_ERROR() WEFT_LOG_SYSTEM_ERROR(L"Tessel.cpp", GetLastError())

bool Blit(HDC dc, HDC memory, const BlitPlan& plan)
{
    const Rect& s = plan.source;
    const Rect& d = plan.dest;
    if (plan.kind == BlitKind::Copy)
        return BitBlt(dc, d.x, d.y, d.width, d.height, memory, s.x, s.y, SRCCOPY) != 0;
    if (plan.set_halftone)
        SetStretchBltMode(dc, HALFTONE);
    return StretchBlt(dc, d.x, d.y, d.width, d.height, memory, s.x, s.y, s.width, s.height, SRCCOPY) != 0;
}

} // namespace

std::uint32_t WindowFrontEnd::NowMs()
{
    return platform::TickCountMs();
}

void WindowFrontEnd::SetFrameInterval(std::uint32_t interval_ms)
{
    // A new interval replaces the running timer.
    if (timer_started_)
        KillTimer(window_, kFrameTimerId);
    timer_started_ = SetTimer(window_, kFrameTimerId, interval_ms, nullptr) != 0;
    if (!timer_started_)
        LOG_FRAME_ERROR();
}

void WindowFrontEnd::Present(const weftcpplib::CDIBData& source, std::span<const BlitPlan> plans)
{
    WindowDC dc(window_);
    if (!dc.get()) {
        LOG_FRAME_ERROR();
        return;
    }
    const DeviceBitmap image(dc.get(), source);
    switch (image.failed()) {
    case DeviceBitmap::Step::None:
        break;
    case DeviceBitmap::Step::MemoryDC:
        LOG_FRAME_ERROR();
        return;
    case DeviceBitmap::Step::Bitmap:
        LOG_FRAME_ERROR();
        return;
    case DeviceBitmap::Step::Rows:
        LOG_FRAME_ERROR();
        return;
    }
    for (const BlitPlan& plan : plans) {
        if (!Blit(dc.get(), image.memory(), plan))
            LOG_FRAME_ERROR();
    }
}

} // namespace saver::win32
