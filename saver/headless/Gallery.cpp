#include "saver/headless/Gallery.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/BuiltinScenes.h"
#include "platform/posix/OutputFiles.h"
#include "platform/StopSignals.h"
#include "saver/headless/ImageFiles.h"

namespace saver::headless {
namespace {

int ShrinkFactor(int width, int limit)
{
    return (width + limit - 1) / limit;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b)
{
    int most = 0;
    for (int shift = 0; shift < 24; shift += 8)
        most = std::max(most, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return most;
}

// The scene's frame with the most standing out, among one a second from
// kGalleryFromMs on; the last frame when the run ends before.
Picture TellingFrame(const RunSettings& run, config::WeftConfig& config)
{
    Picture best;
    double best_share = -1;
    std::uint32_t next_ms = kGalleryFromMs;
    const auto look = [&](const saver::FrameBuffer& frame, std::uint32_t time_ms) {
        if (time_ms < next_ms)
            return true;
        next_ms = (time_ms / 1000 + 1) * 1000;
        // Ties keep the earlier moment.
        if (const double share = StandOutShare(frame.pixels()); share > best_share) {
            best_share = share;
            best = PictureOf(frame);
        }
        return true;
    };
    PlayResult result = Play(run, config, look);
    return best_share < 0 ? std::move(result.last_frame) : best;
}

std::string SceneFile(int no)
{
    char name[32];
    std::snprintf(name, sizeof name, "scene-%02d.png", no);
    return name;
}

} // namespace

double StandOutShare(std::span<const std::uint32_t> pixels)
{
    if (pixels.empty())
        return 0;
    const auto group = [](std::uint32_t p) { return ((p >> 9) & 0x7C00) | ((p >> 6) & 0x3E0) | ((p >> 3) & 0x1F); };
    std::vector<std::uint32_t> counts(0x8000, 0);
    for (const std::uint32_t p : pixels)
        ++counts[group(p)];
    const auto commonest = static_cast<std::uint32_t>(std::max_element(counts.begin(), counts.end()) - counts.begin());
    // The middle of the group stands for it.
    const std::uint32_t colour =
        ((commonest & 0x7C00) << 9) | ((commonest & 0x3E0) << 6) | ((commonest & 0x1F) << 3) | 0x040404;
    const auto standing_out = std::count_if(pixels.begin(), pixels.end(),
                                            [&](std::uint32_t p) { return ChannelDistance(p, colour) > 40; });
    return static_cast<double>(standing_out) / static_cast<double>(pixels.size());
}

std::string RenderGallery(const RunSettings& run, config::WeftConfig& config, const std::string& dir)
{
    // The gallery is replaced as a whole or not at all.
    platform::StagingFolder staging;
    if (std::uint32_t error = 0; !staging.Make(dir, error))
        return "cannot write into '" + dir + "': " + std::strerror(static_cast<int>(error));
    std::vector<Picture> tiles;
    for (const config::SceneData& builtin : core::builtin_scenes) {
        RunSettings scene_run = run;
        scene_run.scene = builtin.no;
        std::string warning;
        if (std::string error = PrepareSettings(scene_run, config, warning); !error.empty())
            return error;
        const Picture picture = Shrink(TellingFrame(scene_run, config), ShrinkFactor(run.width, kGalleryWidth));
        if (platform::StopSignalled())
            return "stopped";
        if (std::string error = WritePng(staging.Reserve(SceneFile(builtin.no)), picture); !error.empty())
            return error;
        tiles.push_back(Shrink(picture, ShrinkFactor(picture.width, kSheetTileWidth)));
    }

    const int rows = (static_cast<int>(tiles.size()) + kSheetColumns - 1) / kSheetColumns;
    const int tile_w = tiles.front().width, tile_h = tiles.front().height;
    Picture sheet;
    sheet.width = kSheetColumns * (tile_w + kSheetGap) + kSheetGap;
    sheet.height = rows * (tile_h + kSheetGap) + kSheetGap;
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * sheet.height, 0u);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const int col = static_cast<int>(i) % kSheetColumns, row = static_cast<int>(i) / kSheetColumns;
        Paste(tiles[i], sheet, kSheetGap + col * (tile_w + kSheetGap), kSheetGap + row * (tile_h + kSheetGap));
    }
    if (std::string error = WritePng(staging.Reserve("contact-sheet.png"), sheet); !error.empty())
        return error;
    if (std::uint32_t error = 0; !staging.Publish(error))
        return "cannot move the gallery into '" + dir + "': " + std::strerror(static_cast<int>(error));
    return {};
}

} // namespace saver::headless
