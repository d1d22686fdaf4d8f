// Feeds arbitrary bytes to the data file reader and checks that whatever it
// takes over is safe to use: select indexes the list, the scenario points
// into the list in order, names end within their field, and a scene can be
// started from the result.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "platform/Files.h"
#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "platform/Random.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"

namespace {

// Quick numbers for the scene start's patterns, the same for every run of
// an input.
class FuzzRandom final : public platform::RandomSource {
public:
    void Restart() { state_ = 0x9E3779B9u; }
    __attribute__((no_sanitize("coverage"))) std::uint32_t Next() override
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }

private:
    std::uint32_t state_ = 0x9E3779B9u;
};

struct Harness {
    Harness()
    {
        const std::wstring folder = platform::TempFolder();
        path = folder + L"tessel_fuzz_" + std::to_wstring(getpid()) + L".dat";
        weftcpplib::WeftLog().Configure(folder.c_str(), L"tessel_fuzz_", 1, weftcpplib::LOG_DEBUG);
        platform::SetRandomSource(&random);
    }
    ~Harness() { platform::RemoveQuietly(path); }

    FuzzRandom random;
    config::WeftConfig config;
    core::CAEngine engine;
    std::wstring path;
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool Terminated(const config::SceneData& scene)
{
    for (const auto unit : scene.name) {
        if (unit == 0)
            return true;
    }
    return false;
}

void CheckModel(config::WeftConfig& config)
{
    const std::size_t count = config.scene_list.size();
    const std::int32_t select = config.settings.select;
    Check(count == 0 ? select == 0 : select >= 0 && static_cast<std::size_t>(select) < count);
    Check(config::IsPlayMode(config.settings.play));
    Check(config.settings.fps >= 1 && config.settings.fps <= 120);

    const std::less<const config::SceneData*> before;
    const config::SceneData* first = config.scene_list.data();
    const config::SceneData* previous = nullptr;
    for (const config::SceneData* scene : config.scenario) {
        Check(!before(scene, first) && before(scene, first + count));
        Check(scene->order >= 0);
        Check(previous == nullptr || previous->order <= scene->order);
        previous = scene;
    }
    Check(Terminated(config.current_scene));
    for (const config::SceneData& scene : config.scene_list)
        Check(Terminated(scene));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Harness harness;
    harness.random.Restart();
    {
        std::ofstream out(platform::StreamPath(harness.path), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    config::WeftConfig& config = harness.config;
    // The defaults with small frames: what a failed read leaves behind starts
    // quickly. A small screen keeps random frame sizes small as well.
    config.SetDefaults();
    config.settings.fsize = {128, 128};
    config.data_file_path = harness.path;
    config.user_data_file_path.clear();  // no per-user place: only this file
    config.ReadDataFile();
    CheckModel(config);

    // Whatever was read must start a scene without harm.
    config::SceneScheduler scheduler;
    scheduler.NewScene(config, harness.engine, 128, 128);
    for (int y = 0; y < harness.engine.height; y += 37) {
        for (int x = 0; x < harness.engine.width; x += 37) {
            const short cell = harness.engine.current.at(x, y);
            Check(cell >= 0 && cell <= 255);
        }
    }
    return 0;
}
