#include "saver/CommandLine.h"

#include <limits>

namespace saver {
namespace {

const wchar_t* SkipSpaces(const wchar_t* p)
{
    while (*p == L' ')
        ++p;
    return p;
}

} // namespace

const wchar_t* SkipProgramName(const wchar_t* line)
{
    const wchar_t* p = line;
    if (*p == L'"') {
        ++p;
        while (*p != L'\0' && *p != L'"')
            ++p;
        if (*p == L'"')
            ++p;
    } else {
        while (*p > L' ')
            ++p;
    }
    while (*p != L'\0' && *p <= L' ')
        ++p;
    return p;
}

std::uintptr_t ParseWindowHandle(const wchar_t* text)
{
    constexpr std::uintptr_t kMax = std::numeric_limits<std::uintptr_t>::max();
    std::uintptr_t value = 0;
    for (const wchar_t* p = text; *p >= L'0' && *p <= L'9'; ++p) {
        const auto digit = static_cast<std::uintptr_t>(*p - L'0');
        // A wrapped number could name some unrelated window.
        if (value > (kMax - digit) / 10)
            return 0;
        value = value * 10 + digit;
    }
    return value;
}

SaverCommand ParseSaverCommand(const wchar_t* arguments)
{
    const wchar_t* p = arguments;
    while (*p == L' ' || *p == L'-' || *p == L'/')
        ++p;

    switch (*p) {
    case L'\0':
        return {SaverMode::Settings, 0};
    case L'S':
    case L's':
        return {SaverMode::FullScreen, 0};
    case L'P':
    case L'p':
    case L'L':
    case L'l':
        return {SaverMode::Preview, ParseWindowHandle(SkipSpaces(p + 1))};
    case L'C':
    case L'c':
        if (p[1] == L':')
            return {SaverMode::SettingsOver, ParseWindowHandle(p + 2)};
        return {SaverMode::SettingsOver, 0};
    case L'A':
    case L'a':
        return {SaverMode::ChangePassword, ParseWindowHandle(SkipSpaces(p + 1))};
    default:
        return {SaverMode::Invalid, 0};
    }
}

} // namespace saver
