#include "config/DataFilePath.h"

#include "config/WeftConfig.h"
#include "weftcpplib/CWeftLogManager.h"
#include "weftcpplib/Utf16.h"

namespace {

// Length of text once stored as UTF-16 (wchar_t is UTF-32 off Windows).
std::size_t Utf16Units(const std::wstring& text)
{
    std::string bytes;
    weftcpplib::AppendUtf16LE(text, bytes);
    return bytes.size() / 2;
}

} // namespace

std::wstring DataFilePathIn(const std::wstring& folder)
{
    std::wstring path = folder + kDataFileName;
    const std::size_t units = Utf16Units(path);
    if (units >= kMaxPathUnits) {
        weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"data file path too long (%d units) : %ls",
                                    static_cast<int>(units), path.c_str());
        return {};
    }
    return path;
}
