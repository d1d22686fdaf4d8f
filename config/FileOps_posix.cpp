#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "config/FileOps.h"
#include "weftcpplib/Utf16.h"

std::filesystem::path StreamPath(const std::wstring& path)
{
    return std::filesystem::path(weftcpplib::Utf8FromWide(path));
}

bool MoveOverFile(const std::wstring& from, const std::wstring& to, std::uint32_t& error)
{
    if (std::rename(weftcpplib::Utf8FromWide(from).c_str(), weftcpplib::Utf8FromWide(to).c_str()) == 0)
        return true;
    error = static_cast<std::uint32_t>(errno);
    return false;
}

void RemoveQuietly(const std::wstring& path)
{
    if (!path.empty())
        unlink(weftcpplib::Utf8FromWide(path).c_str());
}
