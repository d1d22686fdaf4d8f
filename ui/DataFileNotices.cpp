#include "ui/DataFileNotices.h"

#include "weftcpplib/FaultReport.h"

namespace ui {
namespace {

const wchar_t* ReasonText(config::ReadFailure failure)
{
    switch (failure) {
    case config::ReadFailure::not_a_file:
        return L"同じ名前のフォルダがあります";
    case config::ReadFailure::not_opened:
        return L"ファイルを開けません";
    case config::ReadFailure::stream_error:
        return L"読み出し中にエラーが発生しました";
    case config::ReadFailure::too_short:
        return L"ファイルが途中で切れています";
    case config::ReadFailure::bad_id:
        return L"Tessel の設定ファイルではありません（識別子が違います）";
    case config::ReadFailure::none:
        break;
    }
    return L"不明";
}

} // namespace

std::wstring UnreadFileNotice(const config::UnreadFile& file)
{
    std::wstring text = L"設定ファイルを読み込めませんでした。\n" + file.path + L"\n理由：" + ReasonText(file.failure) +
                        L"\n\n";
    if (!file.copy.empty())
        text += L"元のファイルを次の名前で残しました。\n" + file.copy + L"\n\n";
    else
        text += L"元のファイルは複製できなかったため、上書きせずにそのまま残します。\n\n";
    text += L"読み込めなかった設定は初期設定に、足りないシーンは組み込みのシーンで補いました。";
    return text;
}

std::wstring SaveFailureNotice(const std::vector<config::WriteFailure>& failures)
{
    std::wstring text = L"設定を保存できませんでした。";
    for (const config::WriteFailure& failure : failures) {
        text += L"\n\n";
        text += failure.path.empty() ? std::wstring(L"（保存先がありません）") : failure.path;
        text += L"\n" + weftcpplib::ErrorTextLine(failure.error);
    }
    return text;
}

} // namespace ui
