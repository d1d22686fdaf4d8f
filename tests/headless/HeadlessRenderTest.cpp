#include <gtest/gtest.h>

#include <png.h>
#include <webp/decode.h>
#include <webp/demux.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/SceneScheduler.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "core/CAEngine.h"
#include "core/TilingMode.h"
#include "render/Tiling.h"
#include "saver/FrameHost.h"
#include "saver/SaverParts.h"
#include "saver/SeededRandom.h"
#include "saver/SettingsStores.h"
#include "saver/headless/Gallery.h"
#include "saver/headless/ImageFiles.h"
#include "saver/headless/RenderRun.h"
#include "saver/headless/SimulatedScreen.h"

namespace fs = std::filesystem;
using namespace saver::headless;

namespace {

// A folder of its own under the temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        path_ = fs::temp_directory_path() /
                ("tessel-render-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const fs::path& path() const { return path_; }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture ReadPng(const std::string& path)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return picture;
    image.format = PNG_FORMAT_BGRA;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr))
        return {};
    for (std::uint32_t& p : picture.pixels)
        p &= 0x00FFFFFFu; // the opaque alpha the reader adds
    return picture;
}

RunSettings SmallRun(int scene, std::uint32_t seed)
{
    RunSettings run;
    run.scene = scene;
    run.width = 320;
    run.height = 180;
    run.seconds = 1.0;
    run.seed = seed;
    return run;
}

Picture Render(const RunSettings& run)
{
    config::WeftConfig config;
    std::string warning;
    EXPECT_EQ(PrepareSettings(run, config, warning), "");
    return Play(run, config, nullptr).last_frame;
}

} // namespace

TEST(HeadlessRender, SeededRunsRepeatToTheByteAndSeedsDiffer)
{
    TempFolder dir;
    // Scene 28 varies its size and hue at random; the seed fixes both.
    const RunSettings run = SmallRun(28, 12345);
    ASSERT_EQ(WritePng(dir / "a.png", Render(run)), "");
    ASSERT_EQ(WritePng(dir / "b.png", Render(run)), "");
    const std::vector<char> a = Bytes(dir / "a.png");
    EXPECT_GT(a.size(), 100u);
    EXPECT_EQ(a, Bytes(dir / "b.png"));

    ASSERT_EQ(WritePng(dir / "c.png", Render(SmallRun(28, 54321))), "");
    EXPECT_NE(a, Bytes(dir / "c.png"));
    // What was written is what was rendered.
    const Picture back = ReadPng(dir / "a.png");
    EXPECT_EQ(back.pixels, Render(run).pixels);
}

TEST(HeadlessRender, EveryTilingModeShowsThePortableTilingsPlacement)
{
    constexpr int kW = 300, kH = 200;
    for (std::uint16_t mode : {core::TILE_CENTER, core::TILE_FIT, core::TILE_GRID,
                               core::TILE_SHIFT_H, core::TILE_SHIFT_V}) {
        config::WeftConfig config;
        config.settings.play = 0;
        config::SceneData scene = core::builtin_scenes.at(0);
        scene.random_flags = 0;
        scene.size = {90, 70}; // a 128 x 128 grid, so a tile of 126 x 126
        scene.tilling = mode;
        scene.proc = 0;
        scene.time = 0;
        config.current_scene = scene;
        const saver::SaverParts parts(config, 7);
        SimulatedScreen screen(kW, kH);
        saver::PreparedSettings settings(config);
        saver::FrameHost host = parts.MakeHost(screen, settings);
        host.Start(saver::CreateInfo::FullScreen(kW, kH));
        for (int i = 0; i < 3; ++i) {
            screen.AdvanceToNextTick();
            host.Tick(kW, kH);
        }
        const weftcpplib::CDIBData& cells = *host.canvas().cell_image();
        ASSERT_EQ(cells.Width(), 128);
        const saver::FrameBuffer& frame = screen.frame();

        if (mode == core::TILE_FIT) {
            // The field without its border, stretched over the screen: its
            // top left and bottom right cells land in the screen's corners
            // (rows stored bottom-up: storage row 126 is the field's top).
            EXPECT_EQ(frame.row(0)[0], cells.Pixels()[126 * 128 + 1]);
            EXPECT_EQ(frame.row(kH - 1)[kW - 1], cells.Pixels()[1 * 128 + 126]);
            continue;
        }
        auto expected = weftcpplib::MakeImage(kW, kH);
        render::Tiling(*expected, cells, 126, 126, mode);
        int differing = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                differing += frame.row(y)[x] != expected->Pixels()[(kH - 1 - y) * kW + x];
        EXPECT_EQ(differing, 0) << "mode " << mode;
        // Not a blank screen that would match any placement.
        std::set<std::uint32_t> colours(frame.pixels().begin(), frame.pixels().end());
        EXPECT_GT(colours.size(), 2u) << "mode " << mode;
    }
}

TEST(HeadlessRender, GalleryHasFortyDistinctNonBlankScenesAndASheet)
{
    TempFolder dir;
    RunSettings run;
    run.width = 160;
    run.height = 90;
    run.seconds = 1.0; // scenes that start alike have parted by then
    run.seed = 1;
    config::WeftConfig config;
    ASSERT_EQ(RenderGallery(run, config, dir.path().string()), "");
    std::set<std::vector<std::uint32_t>> distinct;
    for (int no = 1; no <= 40; ++no) {
        char name[32];
        std::snprintf(name, sizeof name, "scene-%02d.png", no);
        const Picture picture = ReadPng(dir / name);
        ASSERT_EQ(picture.width, 160) << name;
        ASSERT_EQ(picture.height, 90) << name;
        const std::set<std::uint32_t> colours(picture.pixels.begin(), picture.pixels.end());
        EXPECT_GT(colours.size(), 1u) << name << " is blank";
        distinct.insert(picture.pixels);
    }
    EXPECT_EQ(distinct.size(), 40u);
    const Picture sheet = ReadPng(dir / "contact-sheet.png");
    EXPECT_EQ(sheet.width, kSheetColumns * (160 + kSheetGap) + kSheetGap);
    EXPECT_EQ(sheet.height, 5 * (90 + kSheetGap) + kSheetGap);
}

TEST(HeadlessRender, StandOutShareCountsWhatDiffersClearlyFromTheMainColour)
{
    const auto picture = [](std::initializer_list<std::pair<std::uint32_t, int>> runs) {
        std::vector<std::uint32_t> pixels;
        for (const auto& [colour, count] : runs)
            pixels.insert(pixels.end(), count, colour);
        return pixels;
    };
    const std::pair<std::vector<std::uint32_t>, double> cases[] = {
        {picture({{0xB31E4C, 50}, {0xB81F4E, 30}, {0xAE1C4A, 20}}), 0.0}, // one noisy colour
        {picture({{0x000000, 90}, {0xFFFFFF, 10}}), 0.1},
        {picture({{0x102030, 60}, {0x30A010, 40}}), 0.4},
    };
    for (const auto& [pixels, share] : cases)
        EXPECT_DOUBLE_EQ(StandOutShare(pixels), share);
}

TEST(HeadlessRender, DataFileSettingsAreUsedAndTheFileIsNeverWritten)
{
    TempFolder dir;
    const std::string file = dir / "Tessel.dat";
    {
        config::WeftConfig writer;
        writer.settings.fps = 10;
        writer.data_file_path = fs::path(file).wstring();
        ASSERT_TRUE(writer.WriteDataFile());
    }
    const std::vector<char> before = Bytes(file);
    const auto stamp = fs::last_write_time(file);

    RunSettings run = SmallRun(5, 1);
    run.seconds = 2.0;
    run.data_file = file;
    config::WeftConfig config;
    std::string warning;
    ASSERT_EQ(PrepareSettings(run, config, warning), "");
    EXPECT_EQ(warning, "");
    const PlayResult result = Play(run, config, nullptr);
    EXPECT_EQ(result.frames, 20u); // 2 s at the file's 10 frames a second
    EXPECT_EQ(result.interval_ms, 100u);
    EXPECT_EQ(Bytes(file), before);
    EXPECT_EQ(fs::last_write_time(file), stamp);
    EXPECT_FALSE(fs::exists(dir / "Tessel.new"));

    run.data_file = dir / "missing.dat";
    EXPECT_NE(PrepareSettings(run, config, warning).find("no data file"), std::string::npos);
    run.data_file.clear();
    run.scene = 41;
    EXPECT_NE(PrepareSettings(run, config, warning).find("unknown scene 41"), std::string::npos);
}

TEST(HeadlessRender, AnimatedWebpHoldsEveryFrameInFullColour)
{
    TempFolder dir;
    WebpAnimation animation(32, 24, std::nullopt);
    std::vector<Picture> frames;
    for (std::uint32_t i = 0; i < 3; ++i) {
        Picture picture{32, 24, std::vector<std::uint32_t>(32 * 24, 0x00336699u)};
        for (std::size_t j = 0; j < picture.pixels.size(); ++j)
            picture.pixels[j] = static_cast<std::uint32_t>((j * 2654435761u + i * 40503u) & 0x00FFFFFFu);
        ASSERT_EQ(animation.Add(picture, i * 33), "");
        frames.push_back(picture);
    }
    ASSERT_EQ(animation.Write(dir / "a.webp", 99), "");

    const std::vector<char> bytes = Bytes(dir / "a.webp");
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    WebPAnimDecoderOptions options;
    ASSERT_TRUE(WebPAnimDecoderOptionsInit(&options));
    options.color_mode = MODE_BGRA;
    const std::unique_ptr<WebPAnimDecoder, void (*)(WebPAnimDecoder*)> decoder(
        WebPAnimDecoderNew(&data, &options), WebPAnimDecoderDelete);
    ASSERT_TRUE(decoder);
    WebPAnimInfo info;
    ASSERT_TRUE(WebPAnimDecoderGetInfo(decoder.get(), &info));
    EXPECT_EQ(info.canvas_width, 32u);
    EXPECT_EQ(info.frame_count, 3u);
    for (const Picture& expected : frames) {
        std::uint8_t* pixels = nullptr;
        int timestamp = 0;
        ASSERT_TRUE(WebPAnimDecoderGetNext(decoder.get(), &pixels, &timestamp));
        int differing = 0;
        for (std::size_t j = 0; j < expected.pixels.size(); ++j) {
            std::uint32_t got = 0;
            std::memcpy(&got, pixels + 4 * j, 4);
            differing += (got & 0x00FFFFFFu) != expected.pixels[j];
        }
        EXPECT_EQ(differing, 0) << "lossless frame ending at " << timestamp << " ms";
    }

    WebpAnimation too_large(16384, 16, std::nullopt);
    EXPECT_NE(too_large.Add(frames[0], 0), "");
}

namespace {

Picture Noise(int width, int height, std::uint32_t salt)
{
    Picture picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (std::size_t j = 0; j < picture.pixels.size(); ++j)
        picture.pixels[j] = static_cast<std::uint32_t>((j * 2654435761u + salt * 40503u) & 0x00FFFFFFu);
    return picture;
}

// The coding of each frame: 1 lossy, 2 lossless (WebPBitstreamFeatures).
std::vector<int> FrameFormats(const std::vector<char>& bytes)
{
    WebPData data{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    const std::unique_ptr<WebPDemuxer, void (*)(WebPDemuxer*)> demux(WebPDemux(&data), WebPDemuxDelete);
    std::vector<int> formats;
    WebPIterator frame;
    if (!demux || !WebPDemuxGetFrame(demux.get(), 1, &frame))
        return formats;
    do {
        WebPBitstreamFeatures features;
        if (WebPGetFeatures(frame.fragment.bytes, frame.fragment.size, &features) == VP8_STATUS_OK)
            formats.push_back(features.format);
    } while (WebPDemuxNextFrame(&frame));
    WebPDemuxReleaseIterator(&frame);
    return formats;
}

std::string WriteWebp(const std::string& path, std::optional<int> quality)
{
    WebpAnimation animation(64, 48, quality);
    for (std::uint32_t i = 0; i < 2; ++i)
        if (std::string error = animation.Add(Noise(64, 48, i), i * 40); !error.empty())
            return error;
    return animation.Write(path, 80);
}

// Files the writers may not write more of, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

std::set<std::string> Entries(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(HeadlessRender, QualityMakesEveryFrameLossy)
{
    TempFolder dir;
    for (const auto& [quality, format] : {std::pair{std::optional<int>{}, 2}, std::pair{std::optional<int>{75}, 1}}) {
        ASSERT_EQ(WriteWebp(dir / "a.webp", quality), "");
        EXPECT_EQ(FrameFormats(Bytes(dir / "a.webp")), std::vector<int>(2, format)) << quality.value_or(-1);
    }
}

// What each writer leaves at its path: the new file, or on failure what was
// there before, and never a file of its own beside it.
TEST(HeadlessRender, WritersReplaceWholeFilesAndKeepWhatTheyCannotReplace)
{
    enum class Setup { none, file, link, full_device, null_device, too_large };
    struct Case {
        const char* what;
        Setup setup;
        bool written;
    };
    const Case cases[] = {
        {"a new file", Setup::none, true},
        {"a file of mode 0640, kept", Setup::file, true},
        {"a link, written through", Setup::link, true},
        {"a device that is always full", Setup::full_device, false},
        {"a device that takes anything", Setup::null_device, true},
        {"a file on a full disk", Setup::too_large, false},
    };
    const Picture picture = Noise(64, 48, 3);
    const std::function<std::string(const std::string&)> writers[] = {
        [&](const std::string& path) { return WritePng(path, picture); },
        [&](const std::string& path) { return WriteWebp(path, std::nullopt); },
    };
    for (const Case& c : cases) {
        for (std::size_t w = 0; w < std::size(writers); ++w) {
            SCOPED_TRACE(std::string(c.what) + (w ? ", WebP" : ", PNG"));
            TempFolder dir;
            const std::string path = dir / "out", target = dir / "target";
            const std::vector<char> old{'o', 'l', 'd'};
            if (c.setup == Setup::file || c.setup == Setup::too_large || c.setup == Setup::link) {
                std::ofstream(c.setup == Setup::link ? target : path, std::ios::binary).write(old.data(), 3);
                fs::permissions(c.setup == Setup::link ? target : path, fs::perms(0640));
            }
            if (c.setup == Setup::link)
                fs::create_symlink("target", path);
            if (c.setup == Setup::full_device || c.setup == Setup::null_device) {
                const dev_t device = makedev(1, c.setup == Setup::full_device ? 7 : 3);
                ASSERT_EQ(::mknod(path.c_str(), S_IFCHR | 0600, device), 0) << "the tests run as root";
            }
            const std::set<std::string> before = Entries(dir.path());
            std::string error;
            {
                std::optional<FileSizeLimit> limit;
                if (c.setup == Setup::too_large)
                    limit.emplace(100);
                error = writers[w](path);
            }
            EXPECT_EQ(error.empty(), c.written) << error;
            EXPECT_EQ(Entries(dir.path()), before.empty() ? std::set<std::string>{"out"} : before);
            const fs::file_status status = fs::symlink_status(path);
            if (c.setup == Setup::full_device || c.setup == Setup::null_device) {
                EXPECT_EQ(status.type(), fs::file_type::character);
                continue;
            }
            EXPECT_EQ(status.type(), c.setup == Setup::link ? fs::file_type::symlink : fs::file_type::regular);
            const std::string file = c.setup == Setup::link ? target : path;
            EXPECT_EQ(Bytes(file) == old, !c.written);
            if (c.setup != Setup::none) {
                EXPECT_EQ(fs::status(file).permissions(), fs::perms(0640));
            }
        }
    }
}
