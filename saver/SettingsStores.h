#pragma once
#include "config/WeftConfig.h"
#include "saver/FrameSeams.h"

// The settings stores every platform can use. Each front end picks where
// its settings are kept; the frame loop only asks the store to read them at
// the start and to keep them at the end.
namespace saver {

// A store over a settings model: the loop plays by what the model holds.
class ModelStore : public SettingsStore {
public:
    explicit ModelStore(config::WeftConfig& config) : config_(config) {}
    const config::CommonSettings& Common() const override { return config_.settings; }
    const config::SceneData& CurrentScene() const override { return config_.current_scene; }

protected:
    config::WeftConfig& config_;
};

// Tessel.dat beside the program, or in the per-user place, as the model's
// data-file places choose.
class DataFileStore final : public ModelStore {
public:
    using ModelStore::ModelStore;
    bool Read() override { return config_.ReadDataFile(); }
    bool Write() override { return config_.WriteDataFile(); }
};

// Settings the front end has put into the model itself (the defaults, a
// file it read, the scene asked for): nothing is read, nothing is kept.
class PreparedSettings final : public ModelStore {
public:
    using ModelStore::ModelStore;
    bool Read() override { return true; }
    bool Write() override { return true; }
};

} // namespace saver
