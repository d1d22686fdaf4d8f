#pragma once
#include <cstddef>
#include <string>

// Names of the numbered files that make up one log set: "<folder><base><n>.log".
namespace weftcpplib {

// File names are held in 260 units with the NUL.
inline constexpr std::size_t kLogNameUnits = 260;

// Each returns an empty text when the name would be longer than a file name
// may be: acting on a shortened name could touch a file outside the set.
std::wstring LogGenerationPath(const std::wstring& folder, const std::wstring& base_name, int generation);
std::wstring LogSetPattern(const std::wstring& folder, const std::wstring& base_name);
std::wstring LogFoundPath(const std::wstring& folder, const std::wstring& found_name);

// The number that follows the base name in a found file's name, read the
// way atoi reads it: blanks, a sign, digits; no digits give 0.
int LogGenerationNumber(const std::wstring& found_name, std::size_t base_length);

} // namespace weftcpplib
