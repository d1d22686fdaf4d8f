#include "saver/headless/RenderOutputs.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace saver::headless {
namespace {

std::string SystemText(std::uint32_t error)
{
    return error == EISDIR ? "it is a folder" : std::strerror(static_cast<int>(error));
}

std::string MakeFolder(const std::string& dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec)
        return "cannot make the folder '" + dir + "': " + ec.message();
    if (!std::filesystem::is_directory(dir, ec))
        return "'" + dir + "' is not a folder";
    return {};
}

std::string OpenFile(platform::OutputFile& file, const std::string& path)
{
    if (std::uint32_t error = 0; !path.empty() && !file.Open(path, error))
        return "cannot write '" + path + "': " + SystemText(error);
    return {};
}

} // namespace

bool IsFrameFileName(const std::string& name)
{
    constexpr std::string_view prefix = "frame-", suffix = ".png";
    const std::string_view text(name);
    if (text.size() <= prefix.size() + suffix.size() || !text.starts_with(prefix) || !text.ends_with(suffix))
        return false;
    const std::string_view digits = text.substr(prefix.size(), text.size() - prefix.size() - suffix.size());
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string RenderOutputs::Open(const RenderOptions& o)
{
    if (std::string error = OpenFile(out_, o.out_file); !error.empty())
        return error;
    if (std::string error = OpenFile(webp_, o.webp_file); !error.empty())
        return error;
    if (!o.gallery_dir.empty())
        return MakeFolder(o.gallery_dir);
    return o.frames_dir.empty() ? std::string() : OpenFrames(o.frames_dir, o.force);
}

std::string RenderOutputs::OpenFrames(const std::string& dir, bool force)
{
    if (std::string error = MakeFolder(dir); !error.empty())
        return error;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (const std::string name = entry.path().filename().string(); IsFrameFileName(name))
            old_frames_.push_back(name);
    if (ec)
        return "cannot read the folder '" + dir + "': " + ec.message();
    if (!old_frames_.empty() && !force)
        return "'" + dir + "' holds frame files (frame-NNNNNN.png) already; choose another folder, or give --force " +
               "to replace them";
    if (std::uint32_t error = 0; !frames_.Make(dir, error))
        return "cannot write into '" + dir + "': " + SystemText(error);
    frames_dir_ = dir;
    return {};
}

std::string RenderOutputs::FramePath(std::uint64_t index)
{
    char name[40];
    std::snprintf(name, sizeof name, "frame-%06llu.png", static_cast<unsigned long long>(index));
    new_frames_.emplace_back(name);
    return frames_.Reserve(name);
}

std::string RenderOutputs::PublishFrames()
{
    if (std::uint32_t error = 0; !frames_.Publish(error))
        return "cannot move the frames into '" + frames_dir_ + "': " + SystemText(error);
    // Only now are the earlier frames given up: a failed run keeps them.
    std::sort(new_frames_.begin(), new_frames_.end());
    for (const std::string& name : old_frames_) {
        std::error_code ec;
        if (!std::binary_search(new_frames_.begin(), new_frames_.end(), name) &&
            !std::filesystem::remove(std::filesystem::path(frames_dir_) / name, ec) && ec)
            return "cannot remove the earlier frame '" + name + "': " + ec.message();
    }
    return {};
}

} // namespace saver::headless
