#include "config/DataFileReader.h"

#include <algorithm>

#include "config/DataFileFormat.h"
#include "config/SceneName.h"
#include "config/StreamErrorLog.h"
#include "weftcpplib/CWeftLogManager.h"

using weftcpplib::LOG_ERROR;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace {

template <std::size_t N>
bool ReadBlock(std::istream& in, std::array<unsigned char, N>& block, int line, DataFileContent& file)
{
    in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(N));
    if (in.bad()) {
        LogStreamError(line, in);
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

bool ReadHeader(std::istream& in, DataFileContent& file)
{
    datafile::Header header;
    if (!ReadBlock(in, header, __LINE__, file))
        return false;
    if (!datafile::HasFileId(header)) {
        WeftLog().Print(LOG_ERROR, L"data-file id error");
        file.failure = ReadFailure::bad_id;
        return false;
    }
    const ModuleVersion v = datafile::DecodeVersion(header);
    WeftLog().Print(LOG_INFO, L"Version : %d.%d.%d.%d", v[0], v[1], v[2], v[3]);
    const CommonSettings s = datafile::DecodeSettings(header);
    WeftLog().Print(LOG_INFO, L"  fps : %d  drop : %d  time : %d", static_cast<int>(s.fps), s.drop, s.time);
    WeftLog().Print(LOG_INFO, L"  fsize : %d,%d  play : %d  select : %d", s.fsize.width, s.fsize.height, s.play,
                    s.select);
    file.version = v;
    file.settings = s;
    file.stage = DataFileContent::Stage::header;
    return true;
}

bool ReadHead(std::istream& in, DataFileContent& file, std::int32_t& count)
{
    datafile::Head head;
    if (!ReadBlock(in, head, __LINE__, file))
        return false;
    count = datafile::DecodeCount(head);
    WeftLog().Print(LOG_INFO, L"scene data count : %d", count);
    file.current_scene = datafile::DecodeCurrentScene(head);
    WeftLog().Print(LOG_INFO, L"current_scene : No.%d \"%ls\"", file.current_scene.no,
                    SceneName(file.current_scene).c_str());
    WeftLog().Print(LOG_INFO, L"scene_list :");
    file.stage = DataFileContent::Stage::head;
    return true;
}

bool ReadRecords(std::istream& in, std::int32_t count, std::uintmax_t file_size, DataFileContent& file)
{
    // The count includes current_scene; 0 or a negative count wraps to a
    // huge number of records, which the file then runs out of.
    const std::uint32_t records = static_cast<std::uint32_t>(count) - 1u;
    const std::uintmax_t listed = file_size > datafile::kHeaderSize + datafile::kHeadSize
                                      ? file_size - datafile::kHeaderSize - datafile::kHeadSize
                                      : 0;
    const std::uintmax_t available = listed / datafile::kRecordSize;
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
        datafile::Record record;
        if (!ReadBlock(in, record, __LINE__, file))
            return false;
        const SceneData& scene = file.scene_list.emplace_back(datafile::DecodeRecord(record));
        file.top_order = std::max(file.top_order, scene.order);
        WeftLog().Print(LOG_INFO, L"+ No.%d \"%ls\"", scene.no, SceneName(scene).c_str());
    }
    file.stage = DataFileContent::Stage::complete;
    return true;
}

} // namespace

DataFileContent ReadDataFileContent(std::istream& in, std::uintmax_t file_size)
{
    DataFileContent file;
    std::int32_t count = 0;
    if (ReadHeader(in, file) && ReadHead(in, file, count)) {
        ReadRecords(in, count, file_size, file);
    }
    return file;
}
