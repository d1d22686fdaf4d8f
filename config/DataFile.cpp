#include <filesystem>
#include <fstream>

#include "config/DataFileFormat.h"
#include "config/DataFilePlaces.h"
#include "config/DataFileReader.h"
#include "config/DataFileRepair.h"
#include "config/DataFileWriter.h"
#include "config/FileOps.h"
#include "config/SceneMerge.h"
#include "config/StreamErrorLog.h"
#include "config/WeftConfig.h"
#include "core/BuiltinScenes.h"
#include "platform/Files.h"
#include "weftcpplib/CWeftLogManager.h"

using weftcpplib::LOG_ERROR;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

constexpr wchar_t kSourceFile[] = L"WeftConfig.cpp";

// The size of the open file; 0 when it cannot be told.
std::uintmax_t StreamSize(std::istream& in)
{
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.clear(in.rdstate() & std::ios::badbit);
    in.seekg(0, std::ios::beg);
    return size > 0 ? static_cast<std::uintmax_t>(size) : 0;
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

void BringForward(WeftConfig& config, const ModuleVersion& file_version, std::int16_t& top)
{
    if (file_version[0] <= 1 && file_version[1] == 0)
        ConvertVersion10(config);
    if (datafile::FeatureLevel(file_version) < datafile::FeatureLevel(config.module_version)) {
        WeftLog().Print(LOG_INFO, L"new scene merge");
        MergeBuiltinScenes(config.scene_list, builtin_scenes, top);
    }
}

// Takes over as much as the file gave soundly. A list that broke off part-way
// is kept as far as it was read; the built-in scenes that the list lacks are
// added back, so no scene disappears for good and the scenario is rebuilt
// over the list.
void CommitContent(WeftConfig& config, DataFileContent& file)
{
    using Stage = DataFileContent::Stage;
    if (file.stage == Stage::none)
        return;
    config.settings = file.settings;
    std::int16_t top = file.top_order;
    if (file.stage >= Stage::head) {
        config.current_scene = file.current_scene;
        config.scene_list = std::move(file.scene_list);
        ++config.scene_list_revision;
    }
    if (file.stage == Stage::complete)
        BringForward(config, file.version, top);
    if (file.stage >= Stage::head)
        RestoreMissingBuiltinScenes(config.scene_list, builtin_scenes, top);
    RepairCommonSettings(config.settings, config.scene_list.size());
    if (file.stage >= Stage::head) {
        TerminateName(config.current_scene);
        for (SceneData& scene : config.scene_list)
            TerminateName(scene);
        MakeScenario(config.scene_list, config.scenario);
    }
}

// Writes a complete new file beside `path` and then puts it in its place, so
// the old file is replaced only by a complete new one.
bool WriteAt(const WeftConfig& config, const std::wstring& path, std::uint32_t& error)
{
    WeftLog().Print(LOG_INFO, L"File Name : %ls", path.c_str());
    const std::wstring pending = PendingDataFilePath(path);
    if (!WriteDataFileImage(pending, config, error)) {
        RemoveQuietly(pending);
        return false;
    }
    if (!MoveOverFile(pending, path, error)) {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
        RemoveQuietly(pending);
        return false;
    }
    return true;
}

// Reads `path` into the model; false, with the reason, when it fails or
// breaks off.
bool ReadFrom(WeftConfig& config, const std::wstring& path, ReadFailure& failure)
{
    WeftLog().Print(LOG_INFO, L"File Name : %ls", path.c_str());
    if (platform::KindOfPath(path) == platform::PathKind::folder) {
        WeftLog().Print(LOG_ERROR, L"data-file is a folder, not a file");
        failure = ReadFailure::not_a_file;
        return false;
    }
    DataFileContent file;
    bool opened = false;
    {
        std::ifstream in(StreamPath(path), std::ios::binary);
        if (in.bad()) {
            LogStreamError(__LINE__, in);
            failure = ReadFailure::stream_error;
            return false;
        }
        // A file that cannot be opened only fails the first read, as too short.
        opened = in.is_open();
        file = ReadDataFileContent(in, opened ? StreamSize(in) : 0);
    }
    CommitContent(config, file);
    if (file.stage == DataFileContent::Stage::complete)
        return true;
    failure = opened ? file.failure : ReadFailure::not_opened;
    return false;
}

} // namespace

bool WeftConfig::ReadDataFile()
{
    WeftLog().Print(LOG_INFO, L"****** データファイル読み込み");
    unread_file = {};
    const ReadChoice choice = ChooseFileToRead(Places(), SystemFileSystem());
    WeftLog().Print(LOG_INFO, L"data file used : %ls (%ls)", choice.path.empty() ? L"none" : choice.path.c_str(),
                    choice.why);
    if (choice.path.empty())
        return true;
    ReadFailure failure = ReadFailure::none;
    if (ReadFrom(*this, choice.path, failure))
        return true;
    unread_file = {choice.path, failure, {}};
    return false;
}

bool WeftConfig::WriteDataFile()
{
    WeftLog().Print(LOG_INFO, L"****** データファイル書き出し");
    const auto store = [this](const std::wstring& path, std::uint32_t& error) { return WriteAt(*this, path, error); };
    return !StoreInPlaces(Places(), SystemFileSystem(), unread_file, platform::LocalNow(), store, write_failures)
                .empty();
}

bool WeftConfig::KeepUnreadDataFile()
{
    std::uint32_t error = 0;
    return KeepUnreadFile(unread_file, SystemFileSystem(), platform::LocalNow(), error);
}

DataFilePlaces WeftConfig::Places() const
{
    return {data_file_path, user_data_file_path};
}
