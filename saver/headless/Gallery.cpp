#include "saver/headless/Gallery.h"

#include <cstdio>
#include <vector>

#include "core/BuiltinScenes.h"
#include "saver/headless/ImageFiles.h"

namespace saver::headless {
namespace {

int ShrinkFactor(int width, int limit)
{
    return (width + limit - 1) / limit;
}

std::string SceneFile(const std::string& dir, int no)
{
    char name[32];
    std::snprintf(name, sizeof name, "/scene-%02d.png", no);
    return dir + name;
}

} // namespace

std::string RenderGallery(const RunSettings& run, config::WeftConfig& config, const std::string& dir)
{
    std::vector<Picture> tiles;
    for (const config::SceneData& builtin : core::builtin_scenes) {
        RunSettings scene_run = run;
        scene_run.scene = builtin.no;
        std::string warning;
        if (std::string error = PrepareSettings(scene_run, config, warning); !error.empty())
            return error;
        const Picture picture =
            Shrink(Play(scene_run, config, nullptr).last_frame, ShrinkFactor(run.width, kGalleryWidth));
        if (std::string error = WritePng(SceneFile(dir, builtin.no), picture); !error.empty())
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
    return WritePng(dir + "/contact-sheet.png", sheet);
}

} // namespace saver::headless
