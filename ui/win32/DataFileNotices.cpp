#include "ui/win32/DataFileNotices.h"

#include "ui/TextIds.h"
#include "ui/win32/UiLanguage.h"
#include "weftcpplib/FaultReport.h"

namespace ui::win32 {
namespace {

UINT ReasonText(config::ReadFailure failure)
{
    switch (failure) {
    case config::ReadFailure::not_a_file: return IDS_REASON_NOT_A_FILE;
    case config::ReadFailure::not_opened: return IDS_REASON_NOT_OPENED;
    case config::ReadFailure::stream_error: return IDS_REASON_STREAM_ERROR;
    case config::ReadFailure::too_short: return IDS_REASON_TOO_SHORT;
    case config::ReadFailure::bad_id: return IDS_REASON_BAD_ID;
    case config::ReadFailure::none: break;
    }
    return IDS_REASON_UNKNOWN;
}

} // namespace

std::wstring UnreadFileNotice(const config::UnreadFile& file)
{
    // A folder in the file's place is no damaged file: say what is in the way.
    // The path is put in by hand, since it may be longer than any format buffer.
    if (file.failure == config::ReadFailure::not_a_file) {
        std::wstring text = UiText(IDS_DATA_FILE_IS_FOLDER);
        if (const std::size_t at = text.find(L"%ls"); at != std::wstring::npos)
            text.replace(at, 3, file.path);
        return text;
    }
    std::wstring text = UiText(IDS_UNREAD_FILE) + L"\n" + file.path + L"\n" + UiText(IDS_UNREAD_REASON) +
                        UiText(ReasonText(file.failure)) + L"\n\n";
    if (!file.copy.empty())
        text += UiText(IDS_KEPT_COPY) + L"\n" + file.copy + L"\n\n";
    else
        text += UiText(IDS_KEPT_ORIGINAL) + L"\n\n";
    text += UiText(IDS_FILLED_IN);
    return text;
}

std::wstring SaveFailureNotice(const std::vector<config::WriteFailure>& failures)
{
    std::wstring text = UiText(IDS_NOT_SAVED);
    for (const config::WriteFailure& failure : failures) {
        text += L"\n\n";
        text += failure.path.empty() ? UiText(IDS_NO_SAVE_PLACE) : failure.path;
        text += L"\n" + weftcpplib::ErrorTextLine(failure.error);
    }
    return text;
}

} // namespace ui::win32
