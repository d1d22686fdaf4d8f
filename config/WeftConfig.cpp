#include "config/WeftConfig.h"

#include <algorithm>

#include "config/DataFilePath.h"
#include "config/Defaults.h"
#include "config/ModuleVersion.h"
#include "config/SceneName.h"
#include "core/BuiltinScenes.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/FaultReport.h"

using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

constexpr wchar_t kSourceFile[] = L"WeftConfig.cpp";

void ReadVersionOf(const std::wstring& module_path, ModuleVersion& version)
{
    std::uint32_t error = 0;
    if (!ReadModuleVersion(module_path, version, error)) {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
        return;
    }
    WeftLog().Print(LOG_INFO, L"Module file version : %d.%d.%d.%d", version[0], version[1], version[2],
                    version[3]);
}

} // namespace

WeftConfig::WeftConfig()
{
    // Nothing may be logged before the log knows where its files go.
    WeftLog().Configure(platform::TempFolder().c_str(), L"Tessel_%%%%%%_", 2, weftcpplib::LOG_DEBUG);

    std::wstring module_path;
    std::uint32_t error = 0;
    if (platform::ModuleFilePath(module_path, error)) {
        WeftLog().Print(LOG_INFO, L"Module file name : %ls", module_path.c_str());
        ReadVersionOf(module_path, module_version);
    } else {
        WEFT_LOG_SYSTEM_ERROR(kSourceFile, error);
    }

    // Without a folder there is no data file: reads find none, writes fail.
    data_file_path.clear();
    std::wstring folder;
    if (weftcpplib::weft_get_module_folder(folder))
        data_file_path = DataFilePathIn(folder);
    WeftLog().Print(LOG_INFO, L"data file name : %ls", data_file_path.c_str());

    // Where settings go when the program's folder cannot be written.
    std::wstring user_folder;
    if (platform::UserSettingsFolder(user_folder, error))
        user_data_file_path = DataFilePathIn(user_folder + kUserFolderName + platform::kPathSeparator);
    WeftLog().Print(LOG_INFO, L"per-user data file name : %ls", user_data_file_path.c_str());

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

    current_scene = builtin_scenes[kDefaultSelect];
    scene_list.assign(builtin_scenes.begin(), builtin_scenes.end());
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
