// tessel-x11's settings file saved in a loop, each save as the program
// makes it when it ends: under the folder lock, into the one per-user place.
// Arguments: FILE [SAVES].
#include <string>

#include "SaveLoop.h"
#include "config/ScopedLogFolder.h"
#include "platform/Utf16.h"
#include "platform/PrivateFolder.h"
#include "saver/UserSettingsStore.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 64;
    const std::string path = argv[1];
    // The log goes beside the file, away from other tests' logs.
    const tessel_test::ScopedLogFolder log_here(platform::WideFromUtf8(path.substr(0, path.rfind('/') + 1)));
    config::WeftConfig config;
    saver::UserSettingsStore store(config, path);
    const auto locked_read = [&] {
        const platform::FolderLock lock(path);
        return config.ReadDataFile();
    };
    tessel_test::SaveLoop loop{config.user_data_file_path, platform::WideFromUtf8(path + ".saving"),
                               tessel_test::SavesArgument(argc, argv, 2, 1000000),
                               locked_read, [&] { return store.Write(); }};
    return tessel_test::RunSaveLoop(config, loop);
}
