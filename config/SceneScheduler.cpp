#include "config/SceneScheduler.h"

#include <algorithm>
#include <functional>

#include "config/Defaults.h"
#include "config/SceneName.h"
#include "config/SceneVariation.h"
#include "config/WeftConfig.h"
#include "core/CAEngine.h"
#include "core/Patterns.h"
#include "platform/Random.h"
#include "render/CellPalette.h"
#include "weftcpplib/CWeftLogManager.h"

namespace config {

using weftcpplib::LOG_INFO;
using weftcpplib::LOG_WARN;
using weftcpplib::WeftLog;

namespace {

void LogEntries(const std::vector<SceneData*>& entries)
{
    for (const SceneData* scene : entries)
        WeftLog().Print(LOG_INFO, L"+ no.%d \"%ls\"", scene->no, SceneName(*scene).c_str());
}

// The scenario is rebuilt with the list it points into; a list replaced from
// outside without that leaves references the play list must not copy.
void EnsureScenarioInList(WeftConfig& config)
{
    const std::less<const SceneData*> before;
    const SceneData* first = config.scene_list.data();
    const SceneData* end = first + config.scene_list.size();
    const bool inside = std::all_of(config.scenario.begin(), config.scenario.end(), [&](const SceneData* s) {
        return !before(s, first) && before(s, end);
    });
    if (!inside)
        MakeScenario(config.scene_list, config.scenario);
}

std::vector<SceneData*> ShuffledScenario(const std::vector<SceneData*>& scenario)
{
    std::vector<SceneData*> shuffled;
    shuffled.reserve(scenario.size());
    for (SceneData* scene : scenario) {
        const std::size_t at = platform::Random32() % (shuffled.size() + 1);
        shuffled.insert(shuffled.begin() + static_cast<std::ptrdiff_t>(at), scene);
    }
    return shuffled;
}

SceneData* SelectedScene(WeftConfig& config)
{
    const std::int32_t select = config.settings.select;
    if (select >= 0 && static_cast<std::size_t>(select) < config.scene_list.size())
        return &config.scene_list[static_cast<std::size_t>(select)];
    WeftLog().Print(LOG_WARN, L"select %d is no scene of the list : playing current_scene", select);
    return &config.current_scene;
}

std::int32_t LimitExtent(std::int32_t extent)
{
    return std::min(extent, kMaxFrameExtent);
}

// Frame size before the border; random when the scene asks for it.
FrameSize FrameSizeFor(const SceneData& scene, const CommonSettings& common, int screen_width, int screen_height)
{
    if (scene.random_flags & RANDOM_SIZE) {
        WeftLog().Print(LOG_INFO, L"! change size");
        const std::int32_t width = DrawFrameExtent(screen_width);
        return {width, DrawFrameExtent(screen_height)};
    }
    const FrameSize stored{EffectiveWidth(scene, common), EffectiveHeight(scene, common)};
    const FrameSize size{LimitExtent(stored.width), LimitExtent(stored.height)};
    if (size.width != stored.width || size.height != stored.height)
        WeftLog().Print(LOG_WARN, L"  size %dx%d out of range : using %dx%d", stored.width, stored.height,
                        size.width, size.height);
    return size;
}

void SizeEngine(core::CAEngine& engine, FrameSize frame)
{
    const std::int32_t width = std::max(frame.width + 2, kMinFrameExtent);
    const std::int32_t height = std::max(frame.height + 2, kMinFrameExtent);
    if (width != engine.width || height != engine.height)
        engine.SetSize(width, height);
}

// Values only a damaged file holds and that would stall or break the frame
// loop: a decay below 0 grows cells past 255, a huge drop never finishes a
// frame, a huge time overflows the play clock.
void LimitForPlay(SceneData& scene)
{
    if (scene.param[2] < 0) {
        WeftLog().Print(LOG_WARN, L"  param[2] %d out of range : set to 0", scene.param[2]);
        scene.param[2] = 0;
    }
    if (scene.drop < 0 || scene.drop > kMaxDrop) {
        const std::int16_t drop = std::clamp<std::int16_t>(scene.drop, 0, kMaxDrop);
        WeftLog().Print(LOG_WARN, L"  drop %d out of range : set to %d", scene.drop, drop);
        scene.drop = drop;
    }
    if (scene.time > kMaxTime) {
        WeftLog().Print(LOG_WARN, L"  time %d out of range : set to %d", scene.time, kMaxTime);
        scene.time = kMaxTime;
    }
}

void ApplyRandomHue(SceneData& scene)
{
    if (!(scene.random_flags & RANDOM_HUE))
        return;
    WeftLog().Print(LOG_INFO, L"! change hue");
    TurnHue(scene, platform::Random32() % render::kHueSteps);
}

void ApplyRandomInit(SceneData& scene)
{
    if (!(scene.random_flags & RANDOM_INIT))
        return;
    WeftLog().Print(LOG_INFO, L"! change init");
    scene.init = static_cast<std::int16_t>(platform::Random32() % core::kInitPatternCount);
}

void ApplyRandomTime(SceneData& scene)
{
    if (!(scene.random_flags & RANDOM_TIME))
        return;
    WeftLog().Print(LOG_INFO, L"! change time");
    scene.time = static_cast<std::int32_t>(platform::Random32() % static_cast<std::uint32_t>(kMaxTime) + 1u);
}

void LogScene(const SceneData& s, FrameSize frame)
{
    WeftLog().Print(LOG_INFO, L"drop:%d  time:%d  size:%dx%d", s.drop, s.time, frame.width, frame.height);
    WeftLog().Print(LOG_INFO, L"param:%d,%d,%d  init:%d", s.param[0], s.param[1], s.param[2], s.init);
    WeftLog().Print(LOG_INFO, L"h_min:%d h_max:%d  death_color:0x%08x", s.h_min, s.h_max,
                    static_cast<unsigned>(s.death_color));
    WeftLog().Print(LOG_INFO, L"s_min2:%d s_max2:%d  v_min:%d v_max:%d", s.s_min2, s.s_max2, s.v_min, s.v_max);
    WeftLog().Print(LOG_INFO, L"tilling:%d  proc:0x%04x  random_seed:%d", s.tilling, s.proc, s.random_seed);
}

} // namespace

void SceneScheduler::NewScene(WeftConfig& config, core::CAEngine& engine, int screen_width, int screen_height)
{
    WeftLog().Print(LOG_INFO, L"> NewScene");
    if (!play_list.empty() && !(made_over_ == StampOf(config)))
        play_list.clear();
    if (play_list.empty())
        MakePlayList(config);

    config.SetCurrentScene(*play_list.front());
    const std::int32_t play = config.settings.play;
    if (play == PLAY_LIST_ORDER || play == PLAY_LIST_SHUFFLE)
        play_list.erase(play_list.begin());
    SceneSetting(config, engine, screen_width, screen_height);
}

void SceneScheduler::MakePlayList(WeftConfig& config)
{
    WeftLog().Print(LOG_INFO, L"**** make play list");
    play_list.clear();
    EnsureScenarioInList(config);
    const std::vector<SceneData*>& scenario = config.scenario;
    const std::int32_t play = config.settings.play;

    if (play == PLAY_RULE_SELECT) {
        play_list.push_back(SelectedScene(config));
    } else if (play == PLAY_LIST_ORDER && !scenario.empty()) {
        play_list = scenario;
    } else if (play == PLAY_LIST_SHUFFLE && !scenario.empty()) {
        play_list = ShuffledScenario(scenario);
    } else if (play == PLAY_LIST_ONE && !scenario.empty()) {
        play_list.push_back(scenario[platform::Random32() % scenario.size()]);
    } else {
        // Mode 0, a list mode without scenario, and any unknown mode.
        play_list.push_back(&config.current_scene);
    }
    made_over_ = StampOf(config);
    LogEntries(play_list);
}

void SceneScheduler::SceneSetting(WeftConfig& config, core::CAEngine& engine, int screen_width, int screen_height)
{
    SceneData scene = config.current_scene;
    WeftLog().Print(LOG_INFO, L"** scene setting [%d:%ls]", scene.no, SceneName(scene).c_str());
    LimitForPlay(scene);

    const FrameSize frame = FrameSizeFor(scene, config.settings, screen_width, screen_height);
    SizeEngine(engine, frame);
    std::copy(std::begin(scene.param), std::end(scene.param), engine.param);
    ApplyRandomHue(scene);
    engine.tilling = scene.tilling;
    ApplyRandomInit(scene);
    ApplyRandomTime(scene);

    config.SetCurrentScene(scene);
    render::BuildPalette(scene.h_min, scene.s_min2, scene.v_min, scene.h_max, scene.s_max2, scene.v_max, scene.death_color);
    engine.init = scene.init;
    engine.Initialize();
    LogScene(scene, frame);
}

SceneScheduler::ListStamp SceneScheduler::StampOf(const WeftConfig& config)
{
    return {&config, config.scene_list.data(), config.scene_list.size(), config.scene_list_revision};
}

} // namespace config
