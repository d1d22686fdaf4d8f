#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/posix/OutputFiles.h"
#include "saver/headless/RenderOptions.h"

// Where a run's pictures go: opened before any rendering, so that a place
// that cannot be written is found first, and moved into place only when
// everything was written. The frames appear as a whole, into a folder that
// holds none from an earlier run unless --force replaces them.
namespace saver::headless {

class RenderOutputs {
public:
    // Opens --out and --webp and makes the --frames and --gallery folders;
    // an error text, empty on success.
    std::string Open(const RenderOptions& options);

    platform::OutputFile& out() { return out_; }
    platform::OutputFile& webp() { return webp_; }
    // Where the frame of this index, counted from 1, is to be written.
    std::string FramePath(std::uint64_t index);
    // Moves the frames written into their folder.
    std::string PublishFrames();

private:
    std::string OpenFrames(const std::string& dir, bool force);

    std::string frames_dir_;
    platform::OutputFile out_;
    platform::OutputFile webp_;
    platform::StagingFolder frames_;
    std::vector<std::string> new_frames_;
    std::vector<std::string> old_frames_; // to remove, with --force
};

// Whether a file name is one that --frames writes.
bool IsFrameFileName(const std::string& name);

} // namespace saver::headless
