#pragma once
#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/SettingsStores.h"
#include "saver/win32/WindowFrontEnd.h"

// The program's process-wide objects. They are all defined in one
// translation unit so that they are created in a fixed order (log, settings
// model, scheduler with its play list, engine, graphics library, frame loop)
// and destroyed in the reverse one.
extern config::WeftConfig weft_config;
extern config::SceneScheduler scene_scheduler;
extern core::CAEngine ca_engine;

namespace saver::win32 {

// The frame host over the process-wide objects, with the window as its
// front end and the data file as its settings store.
struct SaverSession {
    SaverSession();
    WindowFrontEnd window;
    DataFileStore store;
    SaverParts parts;
    FrameHost host;
};

SaverSession& TheSaverSession();

} // namespace saver::win32
