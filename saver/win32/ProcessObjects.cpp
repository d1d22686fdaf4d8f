#include "saver/win32/ProcessObjects.h"

#include <windows.h>

// The lean Windows headers leave out what the GDI+ headers expect.
#include <objidl.h>

#include <gdiplus.h>

#include "weftcpplib/CWeftLogManager.h"

namespace {

// The log exists before anything that logs, and is destroyed after it.
struct LogFirst {
    LogFirst() { weftcpplib::WeftLog(); }
} log_first;

} // namespace

// builtin_scenes is constant data, ready before any of these.
config::WeftConfig weft_config;
config::SceneScheduler scene_scheduler;
core::CAEngine ca_engine;

namespace {

// Started for the program's lifetime; nothing draws with it.
class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok)
            token_ = 0;
    }
    ~GdiplusSession()
    {
        if (token_)
            Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR token_ = 0;
} gdiplus_session;

saver::win32::SaverSession saver_session;

} // namespace

namespace saver::win32 {

SaverSession::SaverSession()
    : store(weft_config), parts(SaverModel{weft_config, scene_scheduler, ca_engine}), host(parts.MakeHost(window, store))
{
}

SaverSession& TheSaverSession()
{
    return saver_session;
}

} // namespace saver::win32
