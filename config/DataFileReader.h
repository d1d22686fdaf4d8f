#pragma once
#include <cstdint>
#include <istream>
#include <vector>

#include "config/DataFilePlaces.h"
#include "config/SceneData.h"
#include "config/WeftConfig.h"

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
DataFileContent ReadDataFileContent(std::istream& in, std::uintmax_t file_size);
