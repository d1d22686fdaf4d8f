#include "ConfigTestSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "config/DataFileFormat.h"
#include "platform/Files.h"
#include "config/SceneName.h"
#include "platform/Random.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"
#include "platform/Utf16.h"

namespace tessel_test {
namespace {

constexpr wchar_t kLogBase[] = L"config_log_";
constexpr std::size_t kStampUnits = 24;  // "2026/03/06 07:08:09.045 "

std::string Bytes(const auto& block)
{
    return std::string(reinterpret_cast<const char*>(block.data()), block.size());
}

} // namespace

void ConfigFolderTest::SetUp()
{
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    folder_ = platform::TempFolder() + L"tessel_config_" + platform::WideFromUtf8(test) + L"_" +
              std::to_wstring(platform::SecureRandomSource().Next()) + platform::kPathSeparator;
    std::filesystem::create_directories(platform::StreamPath(folder_));
}

void ConfigFolderTest::TearDown()
{
    weftcpplib::WeftLog().Close();
    std::error_code ignored;
    std::filesystem::remove_all(platform::StreamPath(folder_), ignored);
}

bool ConfigFolderTest::Exists(const std::wstring& name) const
{
    return std::filesystem::exists(platform::StreamPath(Path(name)));
}

std::string ConfigFolderTest::Read(const std::wstring& name) const
{
    std::ifstream in(platform::StreamPath(Path(name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void ConfigFolderTest::Put(const std::wstring& name, const std::string& bytes) const
{
    std::ofstream out(platform::StreamPath(Path(name)), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void ConfigFolderTest::MakeFolder(const std::wstring& name) const
{
    std::filesystem::create_directories(platform::StreamPath(Path(name)));
}

void ConfigFolderTest::CaptureLog()
{
    weftcpplib::WeftLog().Configure(folder_.c_str(), kLogBase, 1, weftcpplib::LOG_DEBUG);
}

std::vector<std::wstring> ConfigFolderTest::LogLines()
{
    return LogLinesOf(kLogBase);
}

std::vector<std::wstring> ConfigFolderTest::LogLinesOf(const std::wstring& base_name)
{
    weftcpplib::WeftLog().Close();
    const std::string bytes = Read(base_name + L"0.log");
    std::u16string units(bytes.size() / 2, u'\0');
    std::copy_n(bytes.data(), units.size() * 2, reinterpret_cast<char*>(units.data()));
    if (!units.empty() && units.front() == u'\xFEFF')
        units.erase(0, 1);
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = units.find(u"\r\n", start)) != std::u16string::npos; start = end + 2) {
        std::vector<platform::utf16_unit> line(units.begin() + static_cast<std::ptrdiff_t>(start),
                                                 units.begin() + static_cast<std::ptrdiff_t>(end));
        const std::wstring text = platform::WideFromUtf16(line.data(), line.size());
        lines.push_back(text.size() > kStampUnits ? text.substr(kStampUnits) : std::wstring());
    }
    return lines;
}

bool ConfigFolderTest::Logged(const std::wstring& message)
{
    const auto lines = LogLines();
    return std::find(lines.begin(), lines.end(), message) != lines.end();
}

std::string HeaderBytes(const config::ModuleVersion& version, const config::CommonSettings& settings)
{
    return Bytes(config::EncodeHeader(version, settings));
}

std::string HeadBytes(std::int32_t count, const config::SceneData& current)
{
    return Bytes(config::EncodeHead(count, current));
}

std::string RecordBytes(const config::SceneData& scene)
{
    return Bytes(config::EncodeRecord(scene));
}

std::string FileBytes(const config::ModuleVersion& version, const config::CommonSettings& settings, const config::SceneData& current,
                      const std::vector<config::SceneData>& list)
{
    std::string bytes = HeaderBytes(version, settings) + HeadBytes(static_cast<std::int32_t>(list.size() + 1), current);
    for (const config::SceneData& scene : list)
        bytes += RecordBytes(scene);
    return bytes;
}

config::SceneData TestScene(std::int16_t no, std::int16_t order)
{
    config::SceneData scene{};
    scene.no = no;
    platform::WideToUtf16Field(L"S" + std::to_wstring(no), scene.name, config::kSceneNameUnits);
    scene.order = order;
    scene.time = -1;
    scene.size = {-1, -1};
    scene.param[0] = 91;
    scene.param[1] = 94;
    scene.param[2] = 1;
    scene.init = 2;  // a line: draws no random numbers
    scene.h_max = 255;
    scene.s_min2 = scene.s_max2 = scene.v_min = scene.v_max = 255;
    scene.death_color = -1;
    return scene;
}

std::wstring NameOf(const config::SceneData& scene)
{
    return config::SceneName(scene);
}

} // namespace tessel_test
