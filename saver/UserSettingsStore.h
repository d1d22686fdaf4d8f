#pragma once
#include <string>

#include "config/WeftConfig.h"
#include "saver/SettingsStores.h"

// The settings of the desktop savers (tessel-x11, and those to come): the
// same Tessel.dat as on Windows, one per user in the user's configuration
// folder. XScreenSaver starts one copy per monitor, and they start and stop
// together, so their reads and writes of the one file take turns under the
// folder's lock.
namespace saver {

// $XDG_CONFIG_HOME/tessel/Tessel.dat when that is an absolute path, else
// $HOME/.config/tessel/Tessel.dat; empty when neither is known.
std::string DefaultDataFile(const char* xdg_config_home, const char* home);

// Why path cannot hold the settings (a folder, device, FIFO or socket is
// there); empty when it can: a regular file, or nothing yet.
std::string SettingsFileProblem(const std::string& path);

// The last failed save, as "path: reason".
std::string WriteFailureText(const config::WeftConfig& config);

class UserSettingsStore final : public ModelStore {
public:
    // Points the model at path as its only place (the program's folder is
    // the system's, never written).
    UserSettingsStore(config::WeftConfig& config, std::string path);

    // Makes the missing folders above the file, private to the user.
    bool MakeFolders(std::string& error) const;
    // Reads the file, making it with the defaults on the first run. A front
    // end that changes the settings for its run loads them before the start;
    // Read then keeps what was loaded.
    bool Load();
    // False: Write keeps nothing (a run whose settings were forced).
    void set_keeping(bool keeping) { keeping_ = keeping; }
    // Whether the last Write, if any, saved the file.
    bool saved() const { return saved_; }

    bool Read() override { return loaded_ ? read_whole_ : Load(); }
    bool Write() override;

private:
    std::string path_;
    bool loaded_ = false;
    bool read_whole_ = false;
    bool keeping_ = true;
    bool saved_ = true;
};

} // namespace saver
