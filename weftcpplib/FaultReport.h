#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Fault lines for failures that cannot wait for the log: a platform error
// code turned into one line of text, and a two-line report on stderr.
namespace weftcpplib {

inline constexpr std::size_t kErrorTextUnits = 100;

// "%08x(TAG) text": the structured-exception table first ("TABLE"), then the
// system's message text ("SYSTEM", or "NTDLL" from that library's messages
// on Windows), else "%08x(not found)". Long texts are cut; never fails.
void FormatErrorText(std::uint32_t code, wchar_t (&text)[kErrorTextUnits]);

// The same text as one line, without the line break the system ends it with,
// for messages that put it beside other words.
std::wstring ErrorTextLine(std::uint32_t code);

// Writes "weftcpplib : <where>" and then <what> to stderr, each on its own
// line and flushed. Lines that the stream cannot take are lost.
void ReportFault(const wchar_t* where, const wchar_t* what);

// The folder of the running executable with its trailing separator. Reports
// a failure to learn the path; out is left alone whenever false is returned.
bool weft_get_module_folder(std::wstring& out);

// The part of `path` up to and including its last separator; false when it
// has none.
bool FolderOfPath(const std::wstring& path, wchar_t separator, std::wstring& folder);

} // namespace weftcpplib
