// The data file's writer saving in a loop, the file beside the program as
// the saver keeps it. Argument: the number of saves (default: many).
#include "SaveLoop.h"
#include "config/ScopedLogFolder.h"
#include "platform/Files.h"
#include "platform/System.h"

int main(int argc, char** argv)
{
    std::wstring program;
    std::uint32_t error = 0;
    if (!platform::ModuleFilePath(program, error))
        return 64;
    // The log too stays in the test's folder, away from other tests' logs.
    const tessel_test::ScopedLogFolder log_here(program.substr(0, program.rfind(platform::kPathSeparator) + 1));
    config::WeftConfig config;
    // Only the place beside the program: a per-user file would outlive the
    // test in the user's folder.
    config.user_data_file_path.clear();
    tessel_test::SaveLoop loop{config.data_file_path, config.data_file_path + L".saving",
                               tessel_test::SavesArgument(argc, argv, 1, 1000000),
                               [&] { return config.ReadDataFile(); }, [&] { return config.WriteDataFile(); }};
    return tessel_test::RunSaveLoop(config, loop);
}
