#include "SaveLoop.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

#include "core/BuiltinScenes.h"
#include "platform/Files.h"
#include "platform/Utf16.h"

namespace tessel_test {
namespace {

struct Content {
    const char* name;
    config::CommonSettings settings;
    config::SceneData current;
    std::vector<config::SceneData> list;
};

// A: the defaults. B: other settings, the list reversed and every name
// changed, so that the two files differ all through.
Content MakeContent(const config::WeftConfig& defaults, bool b)
{
    Content content{b ? "B" : "A", defaults.settings, defaults.current_scene, defaults.scene_list};
    if (!b)
        return content;
    content.settings.fps = 17;
    content.settings.time = 9;
    content.settings.select = 3;
    std::reverse(content.list.begin(), content.list.end());
    for (config::SceneData& scene : content.list)
        platform::WideToUtf16Field(L"B" + std::to_wstring(scene.no), scene.name, config::kSceneNameUnits);
    content.current = content.list[3];
    return content;
}

bool Holds(const config::WeftConfig& config, const Content& content)
{
    return std::memcmp(&config.settings, &content.settings, sizeof content.settings) == 0 &&
           std::memcmp(&config.current_scene, &content.current, sizeof content.current) == 0 &&
           config.scene_list.size() == content.list.size() &&
           std::memcmp(config.scene_list.data(), content.list.data(),
                       content.list.size() * sizeof(config::SceneData)) == 0;
}

void Use(config::WeftConfig& config, const Content& content)
{
    config.settings = content.settings;
    config.current_scene = content.current;
    config.scene_list = content.list;
}

void Say(const char* line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int RunSaveLoop(config::WeftConfig& config, const SaveLoop& loop)
{
    const Content contents[2] = {MakeContent(config, false), MakeContent(config, true)};
    std::size_t next = 0;
    if (platform::KindOfPath(loop.file) == platform::PathKind::none) {
        Say("read none");
    } else if (!loop.read()) {
        Say("read failed");
        return 1;
    } else if (Holds(config, contents[0]) || Holds(config, contents[1])) {
        next = Holds(config, contents[0]) ? 1 : 0;
        Say(next == 1 ? "read A" : "read B");
    } else {
        Say("read other");
        return 1;
    }
    for (std::uint64_t i = 0; i < loop.saves; ++i, next ^= 1) {
        Use(config, contents[next]);
        if (!loop.save()) {
            Say("save failed");
            return 2;
        }
        if (i == 0)
            std::ofstream(platform::StreamPath(loop.marker));
    }
    return 0;
}

std::uint64_t SavesArgument(int argc, char** argv, int index, std::uint64_t fallback)
{
    return argc > index ? std::strtoull(argv[index], nullptr, 10) : fallback;
}

} // namespace tessel_test
