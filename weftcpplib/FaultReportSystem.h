#pragma once
#include <cstdint>
#include <string>

// The platform half of the fault report.
namespace weftcpplib::fault_detail {

// The system's text for a code and the tag naming where it came from.
bool SystemMessageText(std::uint32_t code, std::wstring& text, const wchar_t*& tag);

// One line on the standard error stream, then flushed; failures are ignored.
void WriteFaultLine(const wchar_t* line);

} // namespace weftcpplib::fault_detail
