#include "saver/FrameHost.h"

namespace saver {

FrameHost::FrameHost(FrontEnd& front, config::WeftConfig& config, config::SceneScheduler& scheduler,
                     core::CAEngine& engine)
    : FrameHost(front, config, scheduler, engine, Options{})
{
}

FrameHost::FrameHost(FrontEnd& front, config::WeftConfig& config, config::SceneScheduler& scheduler,
                     core::CAEngine& engine, Options options)
    : config_(config), scheduler_(scheduler), engine_(engine), options_(options), canvas_(engine, front),
      tessel_(front, *this)
{
}

bool FrameHost::ReadSettings()
{
    return options_.use_data_file ? config_.ReadDataFile() : true;
}

bool FrameHost::WriteSettings()
{
    return options_.use_data_file ? config_.WriteDataFile() : true;
}

void FrameHost::NewScene(int screen_width, int screen_height)
{
    scheduler_.NewScene(config_, engine_, screen_width, screen_height);
}

} // namespace saver
