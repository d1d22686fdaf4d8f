#pragma once
#include <cstdint>
#include <ios>
#include <istream>
#include <string>
#include <vector>

#include "config/DataFilePlaces.h"
#include "config/SceneData.h"
#include "config/WeftConfig.h"

namespace config {

// The data file's bytes through the standard streams. A failed stream check
// is logged as "WeftConfig.cpp(line) badbit(..) eofbit(..) failbit(..)": the
// stored log names the model's source file, so the line is that of the call
// in WeftConfig.cpp that led to the check (the `call_line` parameters,
// which default to the caller's own line).

// What a read of the data file found, before any of it reaches the model.
struct DataFileContent {
    // How far the file was sound; each stage includes the ones before.
    enum class Stage { none, header, head, complete };

    Stage stage = Stage::none;
    ReadFailure failure = ReadFailure::none;  // why it stopped before complete
    ModuleVersion version{};
    CommonSettings settings{};
    SceneData current_scene{};
    std::vector<SceneData> scene_list;  // the records read so far
    std::int16_t top_order = -1;        // highest order in scene_list
};

// Reads header, head and records from `in`, logging each step and the reason
// it stops. file_size bounds the records taken, so no count in the file can
// make it allocate more than the file holds.
DataFileContent ReadDataFileContent(std::istream& in, std::uintmax_t file_size,
                                    int call_line = __builtin_LINE());

// Writes the model's data file image to `path`, logging any stream error.
// True only when every byte was written and the file closed cleanly;
// otherwise error holds the system's code for the failure.
bool WriteDataFileImage(const std::wstring& path, const WeftConfig& config, std::uint32_t& error,
                        int call_line = __builtin_LINE());

// Where a new data file is assembled before it replaces the old one: the
// same folder, a name as long as the data file's own (so the path limit that
// admitted the data file admits this one).
std::wstring PendingDataFilePath(const std::wstring& data_file_path);

// Logs a stream's state after a failed check, naming `call_line`.
void LogStreamError(const std::ios& stream, int call_line = __builtin_LINE());

} // namespace config
