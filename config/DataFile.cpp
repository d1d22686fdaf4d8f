#include <filesystem>
#include <fstream>

#include "config/DataFileFormat.h"
#include "config/DataFileReader.h"
#include "config/DataFileRepair.h"
#include "config/DataFileWriter.h"
#include "config/FileOps.h"
#include "config/SceneMerge.h"
#include "config/StreamErrorLog.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "weftcpplib/CWeftLogManager.h"

using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

constexpr wchar_t kSourceFile[] = L"WeftConfig.cpp";

std::uintmax_t FileSize(const std::wstring& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(StreamPath(path), error);
    return error ? 0 : size;
}

// Files of version 1.0 (and 0.0) keep saturations on another scale and took
// the current scene from the list.
void ConvertVersion10(WeftConfig& config)
{
    WeftLog().Print(LOG_INFO, L"data-file version update <1.0 ->");
    for (SceneData& scene : config.scene_list)
        ConvertSaturationScale(scene);
    RepairSelect(config.settings, config.scene_list.size());
    if (config.scene_list.empty())
        ConvertSaturationScale(config.current_scene);
    else
        config.current_scene = config.scene_list[static_cast<std::size_t>(config.settings.select)];
}

void BringForward(WeftConfig& config, const ModuleVersion& file_version, std::int16_t top)
{
    if (file_version[0] <= 1 && file_version[1] == 0)
        ConvertVersion10(config);
    if (datafile::FeatureLevel(file_version) < datafile::FeatureLevel(config.module_version)) {
        WeftLog().Print(LOG_INFO, L"new scene merge");
        MergeBuiltinScenes(config.scene_list, builtin_scenes, top);
    }
}

// Takes over as much as the file gave soundly. A list that broke off part-way
// is kept as far as it was read, with a scenario rebuilt over it.
void CommitContent(WeftConfig& config, DataFileContent& file)
{
    using Stage = DataFileContent::Stage;
    if (file.stage == Stage::none)
        return;
    config.settings = file.settings;
    if (file.stage >= Stage::head) {
        config.current_scene = file.current_scene;
        config.scene_list = std::move(file.scene_list);
        ++config.scene_list_revision;
    }
    if (file.stage == Stage::complete)
        BringForward(config, file.version, file.top_order);
    RepairCommonSettings(config.settings, config.scene_list.size());
    if (file.stage >= Stage::head) {
        TerminateName(config.current_scene);
        for (SceneData& scene : config.scene_list)
            TerminateName(scene);
        MakeScenario(config.scene_list, config.scenario);
    }
}

} // namespace

bool WeftConfig::ReadDataFile()
{
    WeftLog().Print(LOG_INFO, L"****** データファイル読み込み");
    if (!FileExists(data_file_path))
        return true;
    WeftLog().Print(LOG_INFO, L"File Name : %ls", data_file_path.c_str());

    DataFileContent file;
    {
        std::ifstream in(StreamPath(data_file_path), std::ios::binary);
        // A file that cannot be opened only fails the first read, as too short.
        if (in.bad()) {
            LogStreamError(__LINE__, in);
            return false;
        }
        file = ReadDataFileContent(in, FileSize(data_file_path));
    }
    CommitContent(*this, file);
    return file.stage == DataFileContent::Stage::complete;
}

bool WeftConfig::WriteDataFile()
{
    WeftLog().Print(LOG_INFO, L"****** データファイル書き出し");
    WeftLog().Print(LOG_INFO, L"File Name : %ls", data_file_path.c_str());

    // The old file is replaced only by a complete new one.
    const std::wstring pending = PendingDataFilePath(data_file_path);
    if (!WriteDataFileImage(pending, *this)) {
        RemoveQuietly(pending);
        return false;
    }
    std::uint32_t error = 0;
    if (!MoveOverFile(pending, data_file_path, error)) {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
        RemoveQuietly(pending);
        return false;
    }
    return true;
}
