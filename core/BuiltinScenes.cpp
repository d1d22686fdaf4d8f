#include "core/BuiltinScenes.h"

#include <algorithm>
#include <utility>

namespace core {

namespace {

// One catalogue row; the arguments follow the record's field order. Names are
// plain ASCII rule codes, widened unit by unit so that the same table serves
// both widths of wchar_t.
template <std::size_t N>
constexpr config::SceneData Builtin(std::int16_t no, const char (&name)[N], std::int16_t order, std::uint16_t random_flags,
                            std::int16_t drop, std::int32_t time, std::int16_t p1, std::int16_t p2, std::int16_t p3,
                            std::int16_t init, std::int32_t h_min, std::int32_t h_max, std::int32_t s_min2,
                            std::int32_t s_max2, std::int32_t v_min, std::int32_t v_max, std::int32_t death_color,
                            std::uint16_t tilling, std::uint16_t proc)
{
    static_assert(N <= config::kSceneNameUnits, "a scene name has at most 15 characters");
    config::SceneData scene{};
    scene.no = no;
    for (std::size_t i = 0; i < N; ++i)
        scene.name[i] = static_cast<platform::utf16_unit>(name[i]);
    scene.order = order;
    scene.random_flags = random_flags;
    scene.drop = drop;
    scene.time = time;
    scene.size = config::FrameSize{-1, -1};
    scene.param[0] = p1;
    scene.param[1] = p2;
    scene.param[2] = p3;
    scene.init = init;
    scene.h_min = h_min;
    scene.h_max = h_max;
    scene.s_min2 = s_min2;
    scene.s_max2 = s_max2;
    scene.v_min = v_min;
    scene.v_max = v_max;
    scene.death_color = death_color;
    scene.tilling = tilling;
    scene.proc = proc;
    scene.random_seed = 0;
    return scene;
}

} // namespace

// clang-format off
// no, name, order, random_flags, drop, time, p1, p2, p3, init,
// h_min, h_max, s_min2, s_max2, v_min, v_max, death_color, tilling, proc
constexpr std::array<config::SceneData, kBuiltinSceneCount> builtin_scenes = {
    Builtin(1, "002-248-001-0", -1, 0x0010, 0, 1, 2, 248, 1, 0, 0, 255, 255, 0, 128, 255, -1, 3, 0x0002),
    Builtin(2, "032-170-001-0", -1, 0x0010, 0, 1, 32, 170, 1, 0, 0, 255, 255, 0, 128, 255, -1, 3, 0x0004),
    Builtin(3, "087-122-001-1", -1, 0x0012, 1, 2, 87, 122, 1, 1, 0, 510, 255, 0, 64, 255, -1, 3, 0x0002),
    Builtin(4, "089-092-001-1", 0, 0x0010, 7, -1, 89, 92, 1, 1, 0, 255, 51, 51, 0, 255, 0x009F9FBF, 3, 0x0002),
    Builtin(5, "090-094-001-2", 1, 0x0012, 1, -1, 90, 94, 1, 2, 0, 510, 255, 255, 255, 255, 0x00DF3FDF, 3, 0x0002),
    Builtin(6, "091-094-001-4", 2, 0x0012, 2, -1, 91, 94, 1, 4, 765, 0, 255, 255, 128, 128, 0x00DFDFFF, 2, 0x0002),
    Builtin(7, "092-094-001-1", 3, 0x0010, 2, -1, 92, 94, 1, 1, 0, 765, 255, 255, 255, 255, 0x00000000, 3, 0x0002),
    Builtin(8, "095-112-001-3", 4, 0x0012, 3, -1, 95, 112, 1, 3, 0, 1529, 255, 255, 255, 255, 0x00000000, 3, 0x0002),
    Builtin(9, "095-115-001-3", -1, 0x0012, 3, -1, 95, 115, 1, 3, 0, 1529, 255, 255, 255, 255, 0x00000000, 3, 0x0002),
    Builtin(10, "050-140-002-0", -1, 0x0010, 0, -1, 50, 140, 2, 0, 0, 765, 51, 51, 191, 64, -1, 3, 0x0004),
    Builtin(11, "064-065-002-0", -1, 0x0010, 1, -1, 64, 65, 2, 0, 0, 1530, 255, 255, 255, 255, -1, 3, 0x0002),
    Builtin(12, "088-090-002-1", -1, 0x0010, 3, -1, 88, 90, 2, 1, 0, 255, 51, 51, 255, 32, 0x00DFDFDF, 3, 0x0002),
    Builtin(13, "094-108-002-0", 5, 0x0010, 3, -1, 94, 108, 2, 0, 765, 0, 255, 255, 255, 255, 0x001F1F3F, 3, 0x0002),
    Builtin(14, "094-109-002-3", 6, 0x0002, 3, -1, 94, 109, 2, 3, 0, 1529, 255, 255, 255, 255, 0x00000000, 3, 0x0002),
    Builtin(15, "073-073-003-1", -1, 0x0012, 3, -1, 73, 73, 3, 1, 0, 255, 255, 255, 63, 63, 0x00DFDFFF, 3, 0x0002),
    Builtin(16, "093-122-003-1", -1, 0x0012, 0, -1, 93, 122, 3, 1, 0, 255, 255, 0, 64, 255, -1, 3, 0x0004),
    Builtin(17, "094-123-003-1", 7, 0x0010, 1, -1, 94, 123, 3, 1, 0, 510, 255, 51, 255, 255, 0x00000000, 3, 0x0004),
    Builtin(18, "094-126-003-1", -1, 0x0012, 0, -1, 94, 126, 3, 1, 0, 510, 255, 0, 64, 255, -1, 3, 0x0002),
    Builtin(19, "088-093-004-1", -1, 0x0012, 1, -1, 88, 93, 4, 1, 0, 510, 0, 255, 127, 31, 0x00FFDFFF, 3, 0x0002),
    Builtin(20, "094-124-004-1", -1, 0x0010, 1, -1, 94, 124, 4, 1, 0, 510, 255, 51, 255, 255, 0x00001F3F, 3, 0x0004),
    Builtin(21, "032-214-005-1", -1, 0x0010, 0, -1, 32, 214, 5, 0, 0, 510, 255, 255, 127, 255, -1, 3, 0x0002),
    Builtin(22, "057-057-005-0", -1, 0x0010, 3, -1, 57, 57, 5, 0, 0, 255, 51, 51, 255, 32, 0x00DFDFDF, 3, 0x0002),
    Builtin(23, "092-104-005-0", -1, 0x0010, 3, -1, 92, 104, 5, 0, 0, 255, 255, 255, 127, 127, 0x00EFEFFF, 3, 0x0002),
    Builtin(24, "093-123-005-3", 8, 0x0212, 0, -1, 93, 123, 5, 3, 255, 0, 255, 0, 0, 255, -1, 3, 0x0004),
    Builtin(25, "093-176-005-1", -1, 0x0010, 0, -1, 93, 176, 5, 1, 510, 0, 191, 255, 63, 255, -1, 3, 0x0002),
    Builtin(26, "091-100-006-0", -1, 0x0012, 1, -1, 91, 100, 6, 0, 765, 0, 51, 51, 255, 32, 0x00DFDFFF, 3, 0x0002),
    Builtin(27, "079-081-007-0", -1, 0x0010, 1, -1, 79, 81, 7, 0, 0, 255, 102, 102, 127, 127, 0x00DFDFFF, 3, 0x0002),
    Builtin(28, "093-133-007-0", 9, 0x0010, 0, -1, 93, 133, 7, 0, 0, 510, 255, 255, 255, 255, 0x004F004F, 3, 0x0004),
    Builtin(29, "089-093-008-0", -1, 0x0010, 1, -1, 89, 93, 8, 0, 0, 510, 255, 255, 127, 127, 0x00FFEFFF, 3, 0x0002),
    Builtin(30, "085-111-021-3", -1, 0x0012, 0, -1, 85, 111, 21, 3, 0, 255, 255, 255, 255, 255, 0x000000BF, 3, 0x0002),
    Builtin(31, "094-106-001-2", -1, 0x0012, 1, -1, 94, 106, 1, 2, 1530, 765, 255, 255, 255, 255, 0x00DFDF00, 4, 0x0002),
    Builtin(32, "091-101-002-4", -1, 0x0012, 0, -1, 91, 101, 2, 5, 0, 765, 224, 255, 224, 255, -1, 4, 0x0002),
    Builtin(33, "091-094-003-4", 10, 0x0012, 0, -1, 91, 94, 3, 7, 0, 510, 255, 192, 255, 0, 0x00FFDFDF, 4, 0x0004),
    Builtin(34, "090-093-003-0", -1, 0x0012, 1, -1, 90, 93, 3, 0, 0, 510, 255, 255, 192, 64, 0x00FFDFDF, 4, 0x0002),
    Builtin(35, "094-170-003-1", -1, 0x0012, 0, 1, 94, 170, 3, 1, 0, 510, 255, 255, 192, 64, 0x00FFDFDF, 4, 0x0002),
    Builtin(36, "095-122-001-4", 11, 0x0012, 1, -1, 95, 122, 1, 4, 510, 510, 96, 0, 96, 255, 0x00006000, 3, 0x0004),
    Builtin(37, "091-108-005-7", -1, 0x0012, 0, -1, 91, 108, 5, 7, 1530, 765, 160, 64, 96, 255, 0x00000000, 3, 0x0004),
    Builtin(38, "091-112-006", -1, 0x0212, 1, -1, 91, 112, 6, 0, 0, 255, 64, 255, 192, 32, 0x00EFFFFF, 3, 0x0004),
    Builtin(39, "090-099-007-7", -1, 0x0012, 1, -1, 90, 99, 7, 7, 0, 1020, 255, 255, 255, 255, 0x00300030, 3, 0x0004),
    Builtin(40, "090-107-009-2", -1, 0x0012, 0, -1, 90, 107, 9, 2, 0, 510, 255, 255, 96, 96, 0x00DFDFFF, 3, 0x0004),
};
// clang-format on

std::vector<std::int16_t> DefaultScenarioNumbers()
{
    std::vector<std::pair<std::int16_t, std::int16_t>> ranked; // (order, no)
    for (const config::SceneData& scene : builtin_scenes) {
        if (scene.order >= 0)
            ranked.emplace_back(scene.order, scene.no);
    }
    std::sort(ranked.begin(), ranked.end());
    std::vector<std::int16_t> numbers;
    for (const auto& entry : ranked)
        numbers.push_back(entry.second);
    return numbers;
}

} // namespace core
