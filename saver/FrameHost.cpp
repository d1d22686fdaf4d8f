#include "saver/FrameHost.h"

namespace saver {

FrameHost::FrameHost(FrontEnd& front, SettingsStore& store, const SaverModel& model)
    : scenes_(model), automaton_(model.engine), canvas_(model.engine, front),
      loop_(front, store, scenes_, automaton_, canvas_)
{
}

void FrameHost::ScheduledScenes::NewScene(int screen_width, int screen_height)
{
    model_.scheduler.NewScene(model_.config, model_.engine, screen_width, screen_height);
}

} // namespace saver
