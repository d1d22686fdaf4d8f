#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include <benchmark/benchmark.h>

#include "GridScene.h"
#include "platform/Random.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/SeededRandom.h"
#include "saver/SettingsStores.h"

// The real frame host without a window: a clock that stands still (so no
// scene ends by time) and a front end that either drops each image or hands
// it to a "device" once per frame, as the window does with SetDIBits (the
// blits themselves are the device's work).
namespace bench {

class StillFrontEnd final : public saver::FrontEnd {
public:
    explicit StillFrontEnd(bool copy_images) : copy_(copy_images) {}
    std::uint32_t NowMs() override { return 1000; }
    void SetFrameInterval(std::uint32_t) override {}
    void Present(const weftcpplib::CDIBData& image, std::span<const saver::BlitPlan>) override
    {
        if (!copy_)
            return;
        device_.assign(image.Pixels(), image.Pixels() + image.Count());
        benchmark::DoNotOptimize(device_.data());
    }

private:
    bool copy_;
    std::vector<std::uint32_t> device_;
};

// The benchmarks' scene (GridScene.h) on the real host. The seeded field
// makes runs compare.
struct GridSceneHost {
    explicit GridSceneHost(bool copy_images) : front(copy_images) { UseGridScene(config); }
    // Starts the scene with the first tick.
    void Start(const saver::DisplayInfo* display, int client_width, int client_height)
    {
        host.Start(saver::CreateInfo::FullScreen(1920, 1080));
        if (display)
            host.SetDisplay(*display);
        saver::SeededRandom random(0x2545F491u);
        platform::ScopedRandomSource scoped(random);
        host.Tick(client_width, client_height);
    }

    StillFrontEnd front;
    config::WeftConfig config;
    saver::PreparedSettings settings{config};
    saver::SaverParts parts{config};
    saver::FrameHost host{parts.MakeHost(front, settings)};
};

} // namespace bench
