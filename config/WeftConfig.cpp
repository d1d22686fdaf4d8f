#include "config/WeftConfig.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "config/DataFileFormat.h"
#include "config/DataFilePlaces.h"
#include "config/DataFileStreams.h"
#include "config/Defaults.h"
#include "config/SceneMerge.h"
#include "config/SceneName.h"
#include "core/BuiltinScenes.h"
#include "platform/Files.h"
#include "platform/ModuleVersion.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/FaultReport.h"

namespace config {

using weftcpplib::LOG_ERROR;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

// The name the log has always given the model's lines.
constexpr wchar_t kSourceFile[] = L"WeftConfig.cpp";

void ReadVersionOf(const std::wstring& module_path, ModuleVersion& version)
{
    std::uint32_t error = 0;
    if (!platform::ReadModuleVersion(module_path, version, error)) {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
        return;
    }
    WeftLog().Print(LOG_INFO, L"Module file version : %d.%d.%d.%d", version[0], version[1], version[2],
                    version[3]);
}

// Sets up the log, whose first lines name the program and its version.
void StartLog(ModuleVersion& version)
{
    // Nothing may be logged before the log knows where its files go.
    std::wstring log_folder, no_log;
    const bool logging = platform::LogFolder(log_folder, no_log);
    WeftLog().Configure(log_folder.c_str(), L"Tessel_%%%%%%_", 2, weftcpplib::LOG_DEBUG);
    std::wstring module_path;
    std::uint32_t error = 0;
    const bool module_known = platform::ModuleFilePath(module_path, error);
    if (!logging) {
        // No folder of the user's own: no log, rather than one anywhere else.
        WeftLog().SetMaxLines(0);
        const std::wstring program = module_path.substr(module_path.rfind(platform::kPathSeparator) + 1);
        platform::WriteErrorLine((program + L": no log: " + no_log).c_str());
    }
    if (module_known) {
        WeftLog().Print(LOG_INFO, L"Module file name : %ls", module_path.c_str());
        ReadVersionOf(module_path, version);
    } else {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
    }
}

void LogDataFiles(const std::wstring& data_file, const std::wstring& user_data_file)
{
    WeftLog().Print(LOG_INFO, L"data file name : %ls", data_file.c_str());
    WeftLog().Print(LOG_INFO, L"per-user data file name : %ls", user_data_file.c_str());
}

} // namespace

WeftConfig::WeftConfig()
{
    StartLog(module_version);
    // Without a folder there is no data file: reads find none, writes fail.
    std::wstring folder;
    if (weftcpplib::weft_get_module_folder(folder))
        data_file_path = DataFilePathIn(folder);
    // Where settings go when the program's folder cannot be written.
    std::wstring user_folder;
    std::uint32_t error = 0;
    if (platform::UserSettingsFolder(user_folder, error))
        user_data_file_path = DataFilePathIn(user_folder + kUserFolderName + platform::kPathSeparator);
    LogDataFiles(data_file_path, user_data_file_path);
    SetDefaults();
}

WeftConfig::WeftConfig(std::wstring user_data_file) : user_data_file_path(std::move(user_data_file))
{
    StartLog(module_version);
    LogDataFiles(data_file_path, user_data_file_path);
    SetDefaults();
}

WeftConfig::~WeftConfig() = default;

void WeftConfig::SetDefaults()
{
    settings.fps = kDefaultFps;
    settings.drop = kDefaultDrop;
    settings.time = kDefaultTime;
    settings.fsize = kDefaultFrameSize;
    settings.play = kDefaultPlay;
    settings.select = kDefaultSelect;

    current_scene = core::builtin_scenes[kDefaultSelect];
    scene_list.assign(core::builtin_scenes.begin(), core::builtin_scenes.end());
    ++scene_list_revision;
    MakeScenario(scene_list, scenario);
}

void WeftConfig::SetCurrentScene(const SceneData& scene)
{
    const SceneData copy = scene;  // scene may be current_scene itself
    current_scene = copy;
    const auto found = std::find_if(scene_list.begin(), scene_list.end(),
                                    [&](const SceneData& s) { return s.no == copy.no; });
    if (found != scene_list.end())
        settings.select = static_cast<std::int32_t>(found - scene_list.begin());
}

void WeftConfig::SetCommonSettings(const CommonSettings& common)
{
    settings = common;
}

void MakeScenario(std::vector<SceneData>& scene_list, std::vector<SceneData*>& scenario)
{
    WeftLog().Print(LOG_INFO, L"****** make scenario");
    scenario.clear();
    for (SceneData& scene : scene_list) {
        if (scene.order < 0)
            continue;
        // Before the first later order, so equal orders keep list order.
        const auto later = std::find_if(scenario.begin(), scenario.end(),
                                        [&](const SceneData* s) { return s->order > scene.order; });
        scenario.insert(later, &scene);
        WeftLog().Print(LOG_INFO, L"+ no.%d \"%ls\"", scene.no, SceneName(scene).c_str());
    }
}

namespace {

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
    if (FeatureLevel(file_version) < FeatureLevel(config.module_version)) {
        WeftLog().Print(LOG_INFO, L"new scene merge");
        MergeBuiltinScenes(config.scene_list, core::builtin_scenes, top);
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
        RestoreMissingBuiltinScenes(config.scene_list, core::builtin_scenes, top);
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
    // A link (a user's dotfiles) stays a link: its file is replaced, from
    // a pending file in that file's own folder.
    const std::wstring target = platform::LinkTarget(path);
    if (target != path)
        WeftLog().Print(LOG_INFO, L"link to : %ls", target.c_str());
    const std::wstring pending = PendingDataFilePath(target);
    if (!WriteDataFileImage(pending, config, error)) {
        platform::RemoveQuietly(pending);
        return false;
    }
    if (!platform::MoveOverFile(pending, target, error)) {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
        platform::RemoveQuietly(pending);
        return false;
    }
    return true;
}

// Reads `path` into the model; false, with the reason, when it fails or
// breaks off.
bool ReadFrom(WeftConfig& config, const std::wstring& path, ReadFailure& failure)
{
    WeftLog().Print(LOG_INFO, L"File Name : %ls", path.c_str());
    const platform::PathKind kind = platform::KindOfPath(path);
    if (kind == platform::PathKind::folder || kind == platform::PathKind::other) {
        WeftLog().Print(LOG_ERROR, L"data-file is a %ls, not a file",
                        kind == platform::PathKind::folder ? L"folder" : L"device, FIFO or socket");
        failure = ReadFailure::not_a_file;
        return false;
    }
    DataFileContent file;
    bool opened = false;
    {
        platform::ClearLastErrorCode();
        std::ifstream in(platform::StreamPath(path), std::ios::binary);
        if (in.bad()) {
            LogStreamError(in);
            failure = ReadFailure::stream_error;
            return false;
        }
        opened = in.is_open();
        if (opened) {
            file = ReadDataFileContent(in, StreamSize(in));
        } else {
            // Not a format error: the file is there but cannot be read.
            WeftLog().Print(LOG_ERROR, L"data-file could not be opened : %ls",
                            weftcpplib::ErrorTextLine(platform::LastErrorCode()).c_str());
        }
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

} // namespace config
