#pragma once
#include <cstdarg>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace weftcpplib {

enum LogLevel : int {
    LOG_NONE = 0,
    LOG_DEBUG = 1,
    LOG_INFO = 2,
    LOG_WARN = 3,
    LOG_ERROR = 4,
    LOG_FATAL = 5,
};

// A rotating, time-stamped UTF-16LE text log. Formats are printf-style wide
// formats: write wide string arguments as %ls.
class CWeftLogManager {
public:
    CWeftLogManager();
    virtual ~CWeftLogManager();
    CWeftLogManager(const CWeftLogManager&) = delete;
    CWeftLogManager& operator=(const CWeftLogManager&) = delete;

    virtual void DeleteOldFiles(int keep);
    virtual void Configure(const wchar_t* folder, const wchar_t* base_name, int generations, const wchar_t* level_name);
    virtual void Configure(const wchar_t* folder, const wchar_t* base_name, int generations, int minimum_level);
    virtual void Configure(int generations, const wchar_t* level_name);
    virtual void Configure(int generations, int minimum_level);
    virtual int Open();
    virtual void Close();
    virtual void Write(int level, const wchar_t* source_file, int line, const wchar_t* text);
    virtual void WriteLine(const wchar_t* format, ...);
    virtual void Print(int level, const wchar_t* format, ...);
    virtual void PrintAt(int level, const wchar_t* source_file, int line, const wchar_t* format, ...);
    virtual void WriteSystemError(int level, const wchar_t* source_file, int line, std::uint32_t error_code);
    virtual void Dump(int level, const wchar_t* caption, const void* bytes, int length);
    virtual void Dump(const wchar_t* caption, const void* bytes, int length);
    virtual const wchar_t* GetFilePath() const;
    virtual void SetMaxLines(std::uint32_t count);

    static int LevelFromName(const wchar_t* name);
    static const wchar_t* LevelName(int level);
    static const wchar_t* ShortFileName(const wchar_t* source_file);

    // Implementation details are private to CWeftLogManager.cpp and the
    // platform file layer.
private:
    struct State;
    std::unique_ptr<State> state_;

    void WriteLineV(const wchar_t* format, va_list args);
};

// The process-wide log, created on first use so that it outlives every
// other static object that logs.
CWeftLogManager& WeftLog();

} // namespace weftcpplib

// Source file name for tagged lines (the log keeps the part after the last
// backslash or colon, so pass a Windows-style name or a bare one).
#define WEFT_LOG_SYSTEM_ERROR(file, code) \
    ::weftcpplib::WeftLog().WriteSystemError(::weftcpplib::LOG_ERROR, file, __LINE__, code)
