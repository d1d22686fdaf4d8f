#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/DataFilePlaces.h"
#include "platform/ModuleVersion.h"
#include "config/SceneData.h"

namespace config {

// The program's version as the data file stores it: major, minor, build,
// revision.
using ModuleVersion = platform::VersionNumbers;

// Everything the user can configure, held once per process. The scenario
// points into scene_list and is rebuilt (MakeScenario) whenever the list is
// replaced here; whoever replaces the list from outside must do the same
// before the scenario is used again.
class WeftConfig {
public:
    // Configures the log, reads the program's version and the data file's
    // path, then sets the defaults. The data file itself is not read here.
    WeftConfig();
    // The same for a program whose only data file is the user's own (the
    // desktop savers): the program's folder is never looked at, and the log
    // names the file in use.
    explicit WeftConfig(std::wstring user_data_file);
    virtual ~WeftConfig();
    WeftConfig(const WeftConfig&) = delete;
    WeftConfig& operator=(const WeftConfig&) = delete;

    void SetDefaults();
    // Copies the scene into current_scene and points select at the first
    // scene of the list with the same no (select stays if there is none).
    void SetCurrentScene(const SceneData& scene);
    void SetCommonSettings(const CommonSettings& common);

    // Reads the per-user file when it exists, else the one beside the
    // program. True when the file was read completely or there is none;
    // otherwise unread_file says which file failed and why.
    bool ReadDataFile();
    // Writes beside the program, or in the per-user place when that folder
    // cannot be written (or the per-user file is the one in use). True when
    // the whole file was written and has replaced the old one; otherwise
    // write_failures holds each place tried and the system's error.
    bool WriteDataFile();
    // Keeps a copy of the file that the last read could not read, now rather
    // than at the next write. True when there is nothing to keep or it is kept.
    bool KeepUnreadDataFile();
    DataFilePlaces Places() const;

    std::wstring data_file_path;       // beside the program; empty when unusable
    std::wstring user_data_file_path;  // the per-user place; empty when unknown
    UnreadFile unread_file;            // until it is kept and replaced
    std::vector<WriteFailure> write_failures;  // of the last failed write
    ModuleVersion module_version{};
    CommonSettings settings{};
    SceneData current_scene{};
    std::vector<SceneData> scene_list;
    std::vector<SceneData*> scenario;

    // Counts the replacements of scene_list made here (defaults, file reads),
    // so that holders of references into it know when to let them go.
    std::uint32_t scene_list_revision = 0;
};

// Rebuilds scenario: the scenes of the list whose order is 0 or more, sorted
// by order; equal orders keep their list order.
void MakeScenario(std::vector<SceneData>& scene_list, std::vector<SceneData*>& scenario);

// The data file's name beside the program.
inline constexpr wchar_t kDataFileName[] = L"Tessel.dat";

// The per-user place's folder within the user's settings folder.
inline constexpr wchar_t kUserFolderName[] = L"Tessel";

// Longest data-file path, in UTF-16 units and with its terminator, that the
// program's file interfaces accept (the system's long form of a path, less
// the room its prefix takes).
inline constexpr std::size_t kMaxPathUnits = 32767 - 8;

} // namespace config
