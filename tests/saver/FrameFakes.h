#pragma once
#include <cstdint>
#include <deque>
#include <span>
#include <utility>
#include <vector>

#include "saver/Tessel.h"

// Fakes for the frame loop: a clock the test moves (and that each generation
// can advance, to model slow work), an automaton whose death the test
// schedules, and recorders for the timer, the scene starts and the canvas.
namespace saver_test {

struct FakeClock {
    std::uint32_t now = 5000;
};

// The first interval set, and every later change.
struct FakeTimer {
    std::vector<std::uint32_t> started, restarted;
};

// The front end: the clock and the timer above; frames are recorded by the
// canvas below, so nothing reaches Present.
class FakeFrontEnd final : public saver::FrontEnd {
public:
    FakeFrontEnd(FakeClock& clock, FakeTimer& timer) : clock_(clock), timer_(timer) {}
    std::uint32_t NowMs() override { return clock_.now; }
    void SetFrameInterval(std::uint32_t interval_ms) override
    {
        (timer_.started.empty() ? timer_.started : timer_.restarted).push_back(interval_ms);
    }
    void Present(const weftcpplib::CDIBData&, std::span<const saver::BlitPlan>) override {}

private:
    FakeClock& clock_;
    FakeTimer& timer_;
};

class FakeAutomaton final : public saver::Automaton {
public:
    explicit FakeAutomaton(FakeClock& clock) : clock_(clock) {}
    void Step() override
    {
        ++steps;
        clock_.now += ms_per_step;
        if (dies_at_step != 0 && steps == dies_at_step)
            alive = false;
    }
    bool Alive() const override { return alive; }
    int GridWidth() const override { return width; }
    int GridHeight() const override { return height; }

    int steps = 0;
    int dies_at_step = 0; // 0: never
    std::uint32_t ms_per_step = 0;
    bool alive = true;
    int width = 130, height = 130;

private:
    FakeClock& clock_;
};

class FakeStore final : public saver::SettingsStore {
public:
    FakeStore()
    {
        common.fps = 30;
        common.time = 3;
        current.time = -1;
    }
    bool Read() override
    {
        ++reads;
        return true;
    }
    bool Write() override
    {
        ++writes;
        return true;
    }
    const config::CommonSettings& Common() const override { return common; }
    const config::SceneData& CurrentScene() const override { return current; }

    config::CommonSettings common{};
    config::SceneData current{};
    int reads = 0, writes = 0;
};

// Each start plays the next queued scene (the last one repeats) and revives
// the automaton, as seeding a new field does.
class FakeScenes final : public saver::SceneSource {
public:
    FakeScenes(FakeStore& store, FakeAutomaton& automaton) : store_(store), automaton_(automaton) {}
    void NewScene(int screen_width, int screen_height) override
    {
        ++starts;
        screens.push_back({screen_width, screen_height});
        if (!queue.empty()) {
            store_.current = queue.front();
            if (queue.size() > 1)
                queue.pop_front();
        }
        automaton_.alive = true;
        automaton_.dies_at_step = 0;
        steps_at_start.push_back(automaton_.steps);
    }
    std::deque<config::SceneData> queue;
    int starts = 0;
    std::vector<int> steps_at_start;
    std::vector<std::pair<int, int>> screens;

private:
    FakeStore& store_;
    FakeAutomaton& automaton_;
};

class FakeCanvas final : public saver::FrameCanvas {
public:
    void NewImages(int sw, int sh, int gw, int gh) override { images.push_back({sw, sh, gw, gh}); }
    void Render(std::uint16_t tilling, std::uint16_t proc) override
    {
        ++renders;
        last_tilling = tilling;
        last_proc = proc;
    }
    void SetScreenSizes(const std::vector<saver::Size>& sizes) override { screen_sizes.push_back(sizes); }
    void Present(const saver::BlitPlan& plan) override { plans.push_back(plan); }
    void PresentMonitors(const std::vector<saver::BlitPlan>& monitor_plans) override
    {
        monitor_frames.push_back(monitor_plans);
    }

    struct Sizes {
        int sw, sh, gw, gh;
    };
    std::vector<Sizes> images;
    std::vector<saver::BlitPlan> plans;
    std::vector<std::vector<saver::Size>> screen_sizes;
    std::vector<std::vector<saver::BlitPlan>> monitor_frames;
    int renders = 0;
    std::uint16_t last_tilling = 0, last_proc = 0;
};

// One frame loop with all fakes wired in.
struct FrameRig {
    FakeClock clock;
    FakeTimer timer;
    FakeFrontEnd front{clock, timer};
    FakeAutomaton automaton{clock};
    FakeStore store;
    FakeScenes scenes{store, automaton};
    FakeCanvas canvas;
    saver::FrameLoop loop{front, store, scenes, automaton, canvas};

    void Create(bool preview = false)
    {
        loop.OnCreate(preview ? saver::CreateInfo::Preview(1920, 1080) : saver::CreateInfo::FullScreen(1920, 1080));
    }
    void Tick(std::uint32_t advance_ms = 0, int cw = 1920, int ch = 1080)
    {
        clock.now += advance_ms;
        loop.OnTimer(cw, ch);
    }
};

} // namespace saver_test
