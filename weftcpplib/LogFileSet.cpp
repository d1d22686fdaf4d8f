#include "weftcpplib/LogFileSet.h"

#include <climits>
#include <cwctype>

namespace weftcpplib {
namespace {

std::wstring IfItFits(std::wstring path)
{
    if (path.size() >= kLogNameUnits)
        path.clear();
    return path;
}

} // namespace

std::wstring LogGenerationPath(const std::wstring& folder, const std::wstring& base_name, int generation)
{
    return IfItFits(folder + base_name + std::to_wstring(generation) + L".log");
}

std::wstring LogSetPattern(const std::wstring& folder, const std::wstring& base_name)
{
    return IfItFits(folder + base_name + L"*.log");
}

std::wstring LogFoundPath(const std::wstring& folder, const std::wstring& found_name)
{
    return IfItFits(folder + found_name);
}

int LogGenerationNumber(const std::wstring& found_name, std::size_t base_length)
{
    std::size_t i = base_length;
    while (i < found_name.size() && std::iswspace(static_cast<std::wint_t>(found_name[i])))
        ++i;
    bool negative = false;
    if (i < found_name.size() && (found_name[i] == L'+' || found_name[i] == L'-'))
        negative = found_name[i++] == L'-';
    // Saturate where atoi would overflow.
    long long value = 0;
    for (; i < found_name.size() && found_name[i] >= L'0' && found_name[i] <= L'9'; ++i) {
        if (value <= INT_MAX)
            value = value * 10 + (found_name[i] - L'0');
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace weftcpplib
