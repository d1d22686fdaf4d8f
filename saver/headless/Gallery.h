#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "saver/headless/RenderRun.h"

// One representative frame of every built-in scene, and all of them on one
// contact sheet.
namespace saver::headless {

inline constexpr int kGalleryWidth = 320;  // a scene's picture at most
inline constexpr int kSheetTileWidth = 160; // a scene on the contact sheet at most
inline constexpr int kSheetColumns = 8;
inline constexpr int kSheetGap = 4;

// A scene is shown at the moment that has the most of its pixels standing
// out, looked at once a second from kGalleryFromMs on: its first seconds are
// often the seed's noise or one flat colour, and some scenes take half a
// minute to spread. A run shorter than that shows its last frame.
inline constexpr std::uint32_t kGalleryFromMs = 10000;

// The share of pixels that stand out from the picture's commonest colour
// (colours grouped by their top 5 bits a channel): by more than 40 in a
// channel. 0 for one colour, however noisy; a black screen with a tenth of
// it drawn, 0.1.
double StandOutShare(std::span<const std::uint32_t> pixels);

// Renders each scene as run says (its scene ignored) and writes
// dir/scene-NN.png, its moment above shrunk to at most kGalleryWidth pixels
// wide, and dir/contact-sheet.png. Returns an error text, empty on success.
std::string RenderGallery(const RunSettings& run, config::WeftConfig& config, const std::string& dir);

} // namespace saver::headless
