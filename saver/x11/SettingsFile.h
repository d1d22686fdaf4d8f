#pragma once
#include <string>

#include "config/WeftConfig.h"
#include "platform/PrivateFolder.h"
#include "saver/x11/Options.h"

// Where tessel-x11 keeps its settings: the same Tessel.dat as on Windows, in
// the user's configuration folder.
namespace saver::x11 {

// $XDG_CONFIG_HOME/tessel/Tessel.dat when that is an absolute path, else
// $HOME/.config/tessel/Tessel.dat; empty when neither is known.
std::string DefaultDataFile(const char* xdg_config_home, const char* home);

// Makes the folders above file that are missing (private to the user).
bool MakeFoldersFor(const std::string& file, std::string& error);

// Points the model at path as its only place (the program's folder is the
// system's, never written).
void UseDataFile(config::WeftConfig& config, const std::string& path);

// Holds the data file's folder locked while it lives: XScreenSaver starts
// one copy per monitor, and they start and stop together, so their reads and
// writes of the one file take turns. A folder that cannot be locked is
// passed over (the file's own writes still replace it whole).
using platform::FolderLock;

// Why path cannot hold the settings (a folder, device, FIFO or socket is
// there); empty when it can: a regular file, or nothing yet.
std::string SettingsFileProblem(const std::string& path);

// The last failed save, as "path: reason".
std::string WriteFailureText(const config::WeftConfig& config);

// Applies -scene and -fps to the model read from the file. False, with the
// reason, when no scene of the list has the number asked for.
bool ApplyOverrides(const Options& options, config::WeftConfig& config, std::string& error);

} // namespace saver::x11
