// Writes a data file of the defaults that plays one built-in scene, so that an
// end-to-end run chooses what the program shows instead of leaving it to the
// random play list.
//   data_file_maker PATH SCENE_NO      exit code 0 = written
#include <cstdio>
#include <cstdlib>

#include "config/WeftConfig.h"
#include "platform/ModuleVersion.h"
#include "platform/Utf16.h"

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: data_file_maker PATH SCENE_NO\n");
        return 2;
    }
    config::WeftConfig model;
    model.module_version = platform::BuiltVersion();
    model.data_file_path = platform::WideFromUtf8(argv[1]);
    model.user_data_file_path.clear();
    const long no = std::strtol(argv[2], nullptr, 10);
    for (std::size_t i = 0; i < model.scene_list.size(); ++i) {
        if (model.scene_list[i].no != no)
            continue;
        model.settings.play = config::PLAY_RULE_SELECT;
        model.settings.select = static_cast<std::int32_t>(i);
        model.SetCurrentScene(model.scene_list[i]);
        return model.WriteDataFile() ? 0 : 1;
    }
    std::fprintf(stderr, "no built-in scene %ld\n", no);
    return 2;
}
