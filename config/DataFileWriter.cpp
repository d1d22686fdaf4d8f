#include "config/DataFileWriter.h"

#include <fstream>

#include "config/DataFileFormat.h"
#include "config/FileOps.h"
#include "config/ModuleVersion.h"
#include "config/StreamErrorLog.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"

namespace {

#ifdef _WIN32
constexpr std::uint32_t kWriteFault = 29;  // ERROR_WRITE_FAULT
#else
constexpr std::uint32_t kWriteFault = 5;   // EIO
#endif

// The system's code of the stream failure that just happened, taken before
// logging can change it; a failure that left none counts as a write fault.
std::uint32_t FailureCode()
{
    const std::uint32_t code = platform::LastErrorCode();
    return code != 0 ? code : kWriteFault;
}

template <std::size_t N>
bool WriteBlock(std::ostream& out, const std::array<unsigned char, N>& block, int line, std::uint32_t& error)
{
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(N));
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(line, out);
        return false;
    }
    return true;
}

// A version that could not be read (0.0.0.0) must not reach the file: the
// reader takes 0.0 for the oldest format and would rescale every saturation
// of the list again at each read.
ModuleVersion VersionToWrite(const ModuleVersion& version)
{
    return version == ModuleVersion{} ? BuiltVersion() : version;
}

} // namespace

bool WriteDataFileImage(const std::wstring& path, const WeftConfig& config, std::uint32_t& error)
{
    platform::ClearLastErrorCode();
    std::ofstream out(StreamPath(path), std::ios::binary | std::ios::trunc);
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(__LINE__, out);
        return false;
    }
    const ModuleVersion v = VersionToWrite(config.module_version);
    if (!WriteBlock(out, datafile::EncodeHeader(v, config.settings), __LINE__, error))
        return false;
    weftcpplib::WeftLog().Print(weftcpplib::LOG_INFO, L"Version : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);

    const auto count = static_cast<std::int32_t>(config.scene_list.size() + 1);
    if (!WriteBlock(out, datafile::EncodeHead(count, config.current_scene), __LINE__, error))
        return false;
    for (const SceneData& scene : config.scene_list) {
        if (!WriteBlock(out, datafile::EncodeRecord(scene), __LINE__, error))
            return false;
    }
    // The last bytes reach the file only here; a file that lost them must not
    // replace the old one.
    out.close();
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(__LINE__, out);
        return false;
    }
    return true;
}

std::wstring PendingDataFilePath(const std::wstring& data_file_path)
{
    static constexpr std::wstring_view kDataExtension = L".dat";
    if (data_file_path.empty())
        return {};
    if (data_file_path.ends_with(kDataExtension))
        return data_file_path.substr(0, data_file_path.size() - kDataExtension.size()) + L".new";
    return data_file_path + L".new";
}
