#pragma once
#include "core/CAEngine.h"
#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "saver/FramePorts.h"

// The frame loop's ports on the real engine, settings model and scheduler.
namespace saver {

class SystemClock final : public TickClock {
public:
    std::uint32_t NowMs() override;
};

class EngineAutomaton final : public Automaton {
public:
    explicit EngineAutomaton(core::CAEngine& engine) : engine_(engine) {}
    void Step() override { engine_.Step(); }
    bool Alive() const override { return engine_.alive; }
    int GridWidth() const override { return engine_.width; }
    int GridHeight() const override { return engine_.height; }

private:
    core::CAEngine& engine_;
};

class ConfigStore final : public SettingsStore {
public:
    explicit ConfigStore(config::WeftConfig& config) : config_(config) {}
    bool Read() override { return config_.ReadDataFile(); }
    bool Write() override { return config_.WriteDataFile(); }
    const config::CommonSettings& Common() const override { return config_.settings; }
    const config::SceneData& CurrentScene() const override { return config_.current_scene; }

private:
    config::WeftConfig& config_;
};

class SchedulerStarter final : public SceneStarter {
public:
    SchedulerStarter(config::SceneScheduler& scheduler, config::WeftConfig& config, core::CAEngine& engine)
        : scheduler_(scheduler), config_(config), engine_(engine)
    {
    }
    void NewScene(int screen_width, int screen_height) override
    {
        scheduler_.NewScene(config_, engine_, screen_width, screen_height);
    }

private:
    config::SceneScheduler& scheduler_;
    config::WeftConfig& config_;
    core::CAEngine& engine_;
};

} // namespace saver
