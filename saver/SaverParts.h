#pragma once
#include <cstdint>
#include <memory>
#include <optional>

#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "platform/Random.h"
#include "saver/FrameHost.h"
#include "saver/FrontEnd.h"
#include "saver/FrameSeams.h"

// Where every front end and the benchmark get their saver: the scheduler
// and the engine for a settings model, the random source the scenes draw
// from, and the FrameHost over them. The settings model is the front end's,
// as is the store that reads and keeps it.
namespace saver {

class SaverParts {
public:
    // A scheduler and an engine of their own for config. With a seed, a
    // repeatable source (the same on every system) is in force while the
    // parts live; without one the system's secure source stays.
    explicit SaverParts(config::WeftConfig& config, std::optional<std::uint32_t> seed = std::nullopt);
    // Over objects the process keeps for other users too (on Windows the
    // settings dialog edits the same model); the secure source stays.
    explicit SaverParts(const SaverModel& shared);
    ~SaverParts();
    SaverParts(const SaverParts&) = delete;
    SaverParts& operator=(const SaverParts&) = delete;

    // The host for one front end whose settings the store reads and keeps.
    // The front end, the store and these parts must outlive it.
    FrameHost MakeHost(FrontEnd& front, SettingsStore& store) const { return FrameHost(front, store, model_); }

    const SaverModel& model() const { return model_; }

private:
    struct Owned {
        config::SceneScheduler scheduler;
        core::CAEngine engine;
    };

    // A seeded source, in force from before the parts are made until they
    // are gone.
    class Seeding {
    public:
        explicit Seeding(std::optional<std::uint32_t> seed);

    private:
        std::unique_ptr<platform::RandomSource> source_;
        std::optional<platform::ScopedRandomSource> in_force_;
    };

    Seeding seeding_;
    std::unique_ptr<Owned> owned_;
    SaverModel model_;
};

} // namespace saver
