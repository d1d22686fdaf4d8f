#include "config/DataFileStreams.h"

#include <algorithm>
#include <fstream>

#include "config/DataFileFormat.h"
#include "config/SceneName.h"
#include "platform/Files.h"
#include "platform/ModuleVersion.h"
#include "platform/System.h"
#include "weftcpplib/CWeftLogManager.h"

namespace config {

using weftcpplib::LOG_ERROR;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

void LogStreamError(const std::ios& stream, int call_line)
{
    // The flags are shown with the values the log has always used (hard error
    // 4, end of file 1, failed operation 2), whatever the library's bits are.
    WeftLog().Print(LOG_ERROR, L"%ls(%d) badbit(%d) eofbit(%d) failbit(%d)", L"WeftConfig.cpp",
                    call_line, stream.bad() ? 4 : 0, stream.eof() ? 1 : 0,
                    stream.rdstate() & std::ios::failbit ? 2 : 0);
}

namespace {

template <std::size_t N>
bool ReadBlock(std::istream& in, std::array<unsigned char, N>& block, int call_line,
               DataFileContent& file)
{
    in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(N));
    if (in.bad()) {
        LogStreamError(in, call_line);
        file.failure = ReadFailure::stream_error;
        return false;
    }
    if (static_cast<std::size_t>(in.gcount()) < N) {
        WeftLog().Print(LOG_ERROR, L"data-file format error");
        file.failure = ReadFailure::too_short;
        return false;
    }
    return true;
}

bool ReadHeader(std::istream& in, int call_line, DataFileContent& file)
{
    Header header;
    if (!ReadBlock(in, header, call_line, file))
        return false;
    if (!HasFileId(header)) {
        WeftLog().Print(LOG_ERROR, L"data-file id error");
        file.failure = ReadFailure::bad_id;
        return false;
    }
    const ModuleVersion v = DecodeVersion(header);
    WeftLog().Print(LOG_INFO, L"Version : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);
    const CommonSettings s = DecodeSettings(header);
    WeftLog().Print(LOG_INFO, L"  fps : %d  drop : %d  time : %d", static_cast<int>(s.fps), s.drop, s.time);
    WeftLog().Print(LOG_INFO, L"  fsize : %d,%d  play : %d  select : %d", s.fsize.width, s.fsize.height, s.play,
                    s.select);
    file.version = v;
    file.settings = s;
    file.stage = DataFileContent::Stage::header;
    return true;
}

bool ReadHead(std::istream& in, int call_line, DataFileContent& file, std::int32_t& count)
{
    Head head;
    if (!ReadBlock(in, head, call_line, file))
        return false;
    count = DecodeCount(head);
    WeftLog().Print(LOG_INFO, L"scene data count : %d", count);
    file.current_scene = DecodeCurrentScene(head);
    WeftLog().Print(LOG_INFO, L"current_scene : No.%d \"%ls\"", file.current_scene.no,
                    SceneName(file.current_scene).c_str());
    WeftLog().Print(LOG_INFO, L"scene_list :");
    file.stage = DataFileContent::Stage::head;
    return true;
}

bool ReadRecords(std::istream& in, std::int32_t count, std::uintmax_t file_size, int call_line,
                 DataFileContent& file)
{
    // The count includes current_scene; 0 or a negative count wraps to a
    // huge number of records, which the file then runs out of.
    const std::uint32_t records = static_cast<std::uint32_t>(count) - 1u;
    const std::uintmax_t listed = file_size > kHeaderSize + kHeadSize
                                      ? file_size - kHeaderSize - kHeadSize
                                      : 0;
    const std::uintmax_t available = listed / kRecordSize;
    if (count < 1)
        WeftLog().Print(LOG_ERROR, L"scene data count %d is below 1 (the current scene alone counts 1) : "
                                   L"reading the %u records the file holds",
                        static_cast<int>(count), static_cast<unsigned>(std::min<std::uintmax_t>(available, UINT32_MAX)));
    else if (records > available)
        WeftLog().Print(LOG_ERROR, L"scene data count %d exceeds the %u records the file holds",
                        static_cast<int>(count),
                        static_cast<unsigned>(std::min<std::uintmax_t>(available, UINT32_MAX)));
    file.scene_list.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(records, available)));

    for (std::uint32_t i = 0; i < records; ++i) {
        Record record;
        if (!ReadBlock(in, record, call_line, file))
            return false;
        const SceneData& scene = file.scene_list.emplace_back(DecodeRecord(record));
        file.top_order = std::max(file.top_order, scene.order);
        WeftLog().Print(LOG_INFO, L"+ No.%d \"%ls\"", scene.no, SceneName(scene).c_str());
    }
    file.stage = DataFileContent::Stage::complete;
    return true;
}

} // namespace

DataFileContent ReadDataFileContent(std::istream& in, std::uintmax_t file_size, int call_line)
{
    DataFileContent file;
    std::int32_t count = 0;
    if (ReadHeader(in, call_line, file) && ReadHead(in, call_line, file, count))
        ReadRecords(in, count, file_size, call_line, file);
    return file;
}

namespace {

// The system's code of the stream failure that just happened, taken before
// logging can change it; a failure that left none counts as a write fault.
std::uint32_t FailureCode()
{
    const std::uint32_t code = platform::LastErrorCode();
    return code != 0 ? code : platform::WriteFaultError();
}

template <std::size_t N>
bool WriteBlock(std::ostream& out, const std::array<unsigned char, N>& block, int call_line,
                std::uint32_t& error)
{
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(N));
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(out, call_line);
        return false;
    }
    return true;
}

// A version that could not be read (0.0.0.0) must not reach the file: the
// reader takes 0.0 for the oldest format and would rescale every saturation
// of the list again at each read.
ModuleVersion VersionToWrite(const ModuleVersion& version)
{
    return version == ModuleVersion{} ? platform::BuiltVersion() : version;
}

} // namespace

bool WriteDataFileImage(const std::wstring& path, const WeftConfig& config, std::uint32_t& error,
                        int call_line)
{
    platform::ClearLastErrorCode();
    std::ofstream out(platform::StreamPath(path), std::ios::binary | std::ios::trunc);
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(out, call_line);
        return false;
    }
    const ModuleVersion v = VersionToWrite(config.module_version);
    if (!WriteBlock(out, EncodeHeader(v, config.settings), call_line, error))
        return false;
    WeftLog().Print(LOG_INFO, L"Version : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);

    const auto count = static_cast<std::int32_t>(config.scene_list.size() + 1);
    if (!WriteBlock(out, EncodeHead(count, config.current_scene), call_line, error))
        return false;
    for (const SceneData& scene : config.scene_list) {
        if (!WriteBlock(out, EncodeRecord(scene), call_line, error))
            return false;
    }
    // The last bytes reach the file only here; a file that lost them must not
    // replace the old one.
    out.close();
    if (out.fail()) {
        error = FailureCode();
        LogStreamError(out, call_line);
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

} // namespace config
