#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "config/WeftConfig.h"

// A program for a script that kills it at random moments while it saves.
// It first reads the settings file with the real reader and prints what it
// found ("read A", "read B", "read none" or "read failed"), then saves the
// two contents A and B by turns, starting with the one it did not find, and
// once the first save is complete makes the file named by `marker`.
namespace tessel_test {

struct SaveLoop {
    std::wstring file;    // the settings file the model uses
    std::wstring marker;  // made after the first complete save
    std::uint64_t saves;  // how many saves before a normal end
    std::function<bool()> read;
    std::function<bool()> save;
};

// The program's result: 0 after all saves, 1 when what was read is neither
// content, 2 when a save failed.
int RunSaveLoop(config::WeftConfig& config, const SaveLoop& loop);

// The number of saves in argv[index], else `fallback`.
std::uint64_t SavesArgument(int argc, char** argv, int index, std::uint64_t fallback);

} // namespace tessel_test
