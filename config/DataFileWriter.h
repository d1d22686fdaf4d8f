#pragma once
#include <cstdint>
#include <string>

#include "config/WeftConfig.h"

// Writes the model's data file image to `path`, logging any stream error.
// True only when every byte was written and the file closed cleanly;
// otherwise error holds the system's code for the failure.
bool WriteDataFileImage(const std::wstring& path, const WeftConfig& config, std::uint32_t& error);

// Where a new data file is assembled before it replaces the old one: the
// same folder, a name as long as the data file's own (so the path limit that
// admitted the data file admits this one).
std::wstring PendingDataFilePath(const std::wstring& data_file_path);
