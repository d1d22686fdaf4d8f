#include "weftcpplib/CWeftLogManager.h"

#include <cwchar>
#include <string>
#include <string_view>

#include "platform/Files.h"
#include "platform/LogFile.h"
#include "platform/System.h"
#include "weftcpplib/LogFileSet.h"
#include "weftcpplib/LogLine.h"
#include "platform/Utf16.h"
#include "weftcpplib/WideFormat.h"

namespace weftcpplib {
namespace {

// Folder and base name keep at most this many units.
constexpr std::size_t kNameFieldUnits = 255;
constexpr std::size_t kMessageUnits = 512;
constexpr std::size_t kSystemTextUnits = 1024;

constexpr const wchar_t* kLevelNames[] = {L"NONE", L"DEBUG", L"INFO", L"WARN", L"ERROR", L"FATAL"};
constexpr const wchar_t* kFullNotice = L"出力数が最大に達しました。\r\n";
constexpr const wchar_t* kTagFormat = L"%5.5ls [%ls:%d] %ls";

std::wstring Cut(const wchar_t* text, std::size_t units)
{
    std::wstring out = text ? text : L"";
    if (out.size() > units)
        out.resize(units);
    return out;
}

// Splits the executable's path as _wsplitpath would: the folder keeps its
// trailing separator, the base name loses its extension.
void SplitModulePath(const std::wstring& path, std::wstring& folder, std::wstring& base_name)
{
#ifdef _WIN32
    constexpr const wchar_t* kSeparators = L"\\/:";
#else
    constexpr const wchar_t* kSeparators = L"/";
#endif
    const std::size_t slash = path.find_last_of(kSeparators);
    const std::size_t name_start = slash == std::wstring::npos ? 0 : slash + 1;
    folder = path.substr(0, name_start);
    const std::wstring name = path.substr(name_start);
    base_name = name.substr(0, name.rfind(L'.'));
}

void WriteText(platform::LogFile& file, std::wstring_view text)
{
    std::string bytes;
    platform::AppendUtf16LE(text, bytes);
    file.Write(bytes.data(), bytes.size()); // a lost line is not worth failing for
}

} // namespace

struct CWeftLogManager::State {
    platform::LogFile file;
    std::mutex lock;
    std::wstring folder;
    std::wstring base_name;
    std::wstring file_path;
    int generations = 10;
    int minimum_level = LOG_NONE;
    std::uint32_t maximum_lines = 10000;
    std::uint32_t lines_written = 0;
};

CWeftLogManager::CWeftLogManager() : state_(std::make_unique<State>())
{
    std::wstring path;
    std::uint32_t error = 0;
    if (platform::ModuleFilePath(path, error)) {
        SplitModulePath(path, state_->folder, state_->base_name);
        state_->folder = Cut(state_->folder.c_str(), kNameFieldUnits);
        state_->base_name = Cut(state_->base_name.c_str(), kNameFieldUnits);
    }
}

CWeftLogManager::~CWeftLogManager()
{
    Close();
}

void CWeftLogManager::DeleteOldFiles(int keep)
{
    const State& s = *state_;
    const std::wstring pattern = LogSetPattern(s.folder, s.base_name);
    if (pattern.empty())
        return;
    for (const std::wstring& name : platform::FindFileNames(pattern)) {
        if (LogGenerationNumber(name, s.base_name.size()) < keep)
            continue;
        const std::wstring path = LogFoundPath(s.folder, name);
        if (!path.empty())
            platform::RemoveFile(path);
    }
}

void CWeftLogManager::Configure(const wchar_t* folder, const wchar_t* base_name, int generations,
                                const wchar_t* level_name)
{
    Configure(folder, base_name, generations, LevelFromName(level_name));
}

void CWeftLogManager::Configure(const wchar_t* folder, const wchar_t* base_name, int generations, int minimum_level)
{
    Close();
    state_->folder = Cut(folder, kNameFieldUnits);
    state_->base_name = Cut(base_name, kNameFieldUnits);
    Configure(generations, minimum_level);
}

void CWeftLogManager::Configure(int generations, const wchar_t* level_name)
{
    Configure(generations, LevelFromName(level_name));
}

void CWeftLogManager::Configure(int generations, int minimum_level)
{
    Close();
    if (generations >= 0)
        state_->generations = generations;
    state_->minimum_level = minimum_level;
}

int CWeftLogManager::Open()
{
    State& s = *state_;
    Close();
    s.lines_written = 0;
    if (s.generations <= 0)
        return 0;

    // Rotation is best effort: a file that can't be moved stays where it is.
    const std::wstring oldest = LogGenerationPath(s.folder, s.base_name, s.generations - 1);
    if (!oldest.empty())
        platform::RemoveFile(oldest);
    for (int n = s.generations - 2; n >= 0; --n) {
        const std::wstring from = LogGenerationPath(s.folder, s.base_name, n);
        const std::wstring to = LogGenerationPath(s.folder, s.base_name, n + 1);
        if (!from.empty() && !to.empty())
            platform::RenameFile(from, to);
    }

    s.file_path = LogGenerationPath(s.folder, s.base_name, 0);
    if (s.file_path.empty())
        return static_cast<int>(platform::NameTooLongError());
    bool existed = false;
    if (const std::uint32_t error = s.file.OpenAlways(s.file_path, existed))
        return static_cast<int>(error);
    if (!existed) {
        static constexpr unsigned char kByteOrderMark[] = {0xFF, 0xFE};
        if (const std::uint32_t error = s.file.Write(kByteOrderMark, sizeof kByteOrderMark))
            return static_cast<int>(error);
    }
    if (const std::uint32_t error = s.file.SeekToEnd()) {
        // Writing from where the pointer was would overwrite earlier lines.
        s.file.Close();
        return static_cast<int>(error);
    }
    return 0;
}

void CWeftLogManager::Close()
{
    state_->file.Close();
}

void CWeftLogManager::Write(int level, const wchar_t* source_file, int line, const wchar_t* text)
{
    if (level < state_->minimum_level || level < LOG_DEBUG || level > LOG_FATAL)
        return;
    WriteLine(kTagFormat, LevelName(level), ShortFileName(source_file), line, text ? text : L"");
}

void CWeftLogManager::WriteLine(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    try {
        WriteLineV(format, args);
    } catch (...) {
        va_end(args);
        throw;
    }
    va_end(args);
}

void CWeftLogManager::WriteLineV(const wchar_t* format, va_list args)
{
    if (format == nullptr)
        return;
    State& s = *state_;
    const std::lock_guard<std::mutex> guard(s.lock);
    // A full file drops lines until it is reopened; a closed one is reopened
    // by this line, with a fresh count. A limit of 0 makes no file at all.
    if (s.lines_written >= s.maximum_lines && (s.file.IsOpen() || s.maximum_lines == 0))
        return;
    if (!s.file.IsOpen()) {
        if (Open() != 0)
            return;
        DeleteOldFiles(s.generations);
    }

    const auto message = std::make_unique<wchar_t[]>(kMessageUnits);
    FormatWideV(message.get(), kMessageUnits, format, args);
    const auto line = std::make_unique<wchar_t[]>(kLogLineUnits);
    const std::size_t length = FormatLogLine(line.get(), kLogLineUnits, LogTimeNow(), message.get());

    // With no generations to keep there is no file; the line still counts.
    if (s.file.IsOpen())
        WriteText(s.file, std::wstring_view(line.get(), length));
    if (++s.lines_written == s.maximum_lines && s.file.IsOpen())
        WriteText(s.file, kFullNotice);
}

void CWeftLogManager::Print(int level, const wchar_t* format, ...)
{
    if (level < state_->minimum_level || format == nullptr)
        return;
    wchar_t message[kMessageUnits];
    va_list args;
    va_start(args, format);
    FormatWideV(message, kMessageUnits, format, args);
    va_end(args);
    WriteLine(L"%ls", message);
}

void CWeftLogManager::PrintAt(int level, const wchar_t* source_file, int line, const wchar_t* format, ...)
{
    if (level < state_->minimum_level || level < LOG_DEBUG || level > LOG_FATAL || format == nullptr)
        return;
    wchar_t message[kMessageUnits];
    va_list args;
    va_start(args, format);
    FormatWideV(message, kMessageUnits, format, args);
    va_end(args);
    Write(level, source_file, line, message);
}

void CWeftLogManager::WriteSystemError(int level, const wchar_t* source_file, int line, std::uint32_t error_code)
{
    if (level < state_->minimum_level || level < LOG_DEBUG || level > LOG_FATAL)
        return;
    std::wstring text;
    if (!platform::SystemErrorText(error_code, text))
        text.clear();
    if (text.size() >= kSystemTextUnits)
        text.resize(kSystemTextUnits - 1);
    Write(level, source_file, line, text.c_str());
}

void CWeftLogManager::Dump(int level, const wchar_t* caption, const void* bytes, int length)
{
    if (level < state_->minimum_level)
        return;
    Dump(caption, bytes, length);
}

void CWeftLogManager::Dump(const wchar_t* caption, const void* bytes, int length)
{
    wchar_t text[kMessageUnits];
    std::size_t used = FormatWide(text, kMessageUnits, L"%ls", caption ? caption : L"");
    const auto* byte = static_cast<const unsigned char*>(bytes);
    // Each byte takes three units; the text keeps room for its NUL.
    for (int i = 0; byte != nullptr && i < length && used + 3 < kMessageUnits; ++i)
        used += FormatWide(text + used, kMessageUnits - used, L" %02X", static_cast<unsigned>(byte[i]));
    WriteLine(L"%ls", text);
}

const wchar_t* CWeftLogManager::GetFilePath() const
{
    return state_->file_path.c_str();
}

void CWeftLogManager::SetMaxLines(std::uint32_t count)
{
    state_->maximum_lines = count;
}

int CWeftLogManager::LevelFromName(const wchar_t* name)
{
    if (name != nullptr) {
        for (int level = LOG_DEBUG; level <= LOG_FATAL; ++level) {
            if (std::wcscmp(name, kLevelNames[level]) == 0)
                return level;
        }
    }
    return LOG_FATAL + 1;
}

const wchar_t* CWeftLogManager::LevelName(int level)
{
    return level >= LOG_NONE && level <= LOG_FATAL ? kLevelNames[level] : L"";
}

const wchar_t* CWeftLogManager::ShortFileName(const wchar_t* source_file)
{
    if (source_file == nullptr)
        return L"";
    if (const wchar_t* backslash = std::wcsrchr(source_file, L'\\'))
        return backslash + 1;
    if (const wchar_t* colon = std::wcsrchr(source_file, L':'))
        return colon + 1;
    return source_file;
}

CWeftLogManager& WeftLog()
{
    static CWeftLogManager log;
    return log;
}

} // namespace weftcpplib
