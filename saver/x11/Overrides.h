#pragma once
#include <string>

#include "config/WeftConfig.h"
#include "saver/x11/Options.h"

// What a tessel-x11 run asks for on top of the user's settings.
namespace saver::x11 {

// Applies -scene and -fps to the model read from the file. False, with the
// reason, when no scene of the list has the number asked for.
bool ApplyOverrides(const Options& options, config::WeftConfig& config, std::string& error);

} // namespace saver::x11
