#pragma once
#include <string>

#include "saver/headless/RenderRun.h"

// One representative frame of every built-in scene, and all of them on one
// contact sheet.
namespace saver::headless {

inline constexpr int kGalleryWidth = 320;  // a scene's picture at most
inline constexpr int kSheetTileWidth = 160; // a scene on the contact sheet at most
inline constexpr int kSheetColumns = 8;
inline constexpr int kSheetGap = 4;

// Renders each scene as run says (its scene ignored) and writes
// dir/scene-NN.png, the last frame shrunk to at most kGalleryWidth pixels
// wide, and dir/contact-sheet.png. Returns an error text, empty on success.
std::string RenderGallery(const RunSettings& run, config::WeftConfig& config, const std::string& dir);

} // namespace saver::headless
