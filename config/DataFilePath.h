#pragma once
#include <string>

// The data file's full path in a folder (which ends with its separator), or
// empty when it would not fit the platform's path limit of 260 UTF-16 units
// with its terminator; the refusal is logged.
std::wstring DataFilePathIn(const std::wstring& folder);
