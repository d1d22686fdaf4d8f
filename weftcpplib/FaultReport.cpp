#include "weftcpplib/FaultReport.h"

#include <cwchar>

#include "platform/System.h"
#include "weftcpplib/WideFormat.h"

namespace weftcpplib {
namespace {

struct ExceptionText {
    std::uint32_t code;
    const wchar_t* text;
};

// Structured-exception codes have no system message text, so they carry their own.
constexpr ExceptionText kExceptionTexts[] = {
    {0xC0000005u, L"メモリアクセス違反。"},
    {0xC000008Cu, L"配列境界を超えました。"},
    {0x80000003u, L"プレークポイント。"},
    {0x80000002u, L"不整列メモリアクセス。"},
    {0xC000008Du, L"浮動小数点非正規化オペランド。"},
    {0xC000008Eu, L"0 による浮動小数点除算。"},
    {0xC000008Fu, L"浮動小数点の不正確な結果。"},
    {0xC0000090u, L"浮動小数点の無効な演算。"},
    {0xC0000091u, L"浮動小数点オーバーフロー。"},
    {0xC0000092u, L"浮動小数点スタック チェック。"},
    {0xC0000093u, L"浮動小数点アンダーフロー。"},
    {0xC000001Du, L"不正命令を実行しようとしました。"},
    {0xC0000006u, L"ページアクセスエラー。"},
    {0xC0000094u, L"0 による整数除算。"},
    {0xC0000095u, L"整数オーバーフロー。"},
    {0xC0000026u, L"例外ハンドラは無効の処置を例外ディスパッチャに戻しました。"},
    {0xC0000025u, L"Windows はこの例外から続行できません。"},
    {0xC0000096u, L"特権のある命令。"},
    {0x80000004u, L"シングルステップ。"},
    {0xC00000FDu, L"スタックオーバーフロー。"},
};

const wchar_t* TableText(std::uint32_t code)
{
    for (const ExceptionText& row : kExceptionTexts)
        if (row.code == code)
            return row.text;
    return nullptr;
}

// A cut through a surrogate pair would leave half a character at the end.
void DropTrailingHighSurrogate(wchar_t* text, std::size_t length)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
            text[length - 1] = 0;
    }
}

constexpr std::size_t kReportUnits = 256;
wchar_t report_buffer[kReportUnits];

} // namespace

void FormatErrorText(std::uint32_t code, wchar_t (&text)[kErrorTextUnits])
{
    std::wmemset(text, 0, kErrorTextUnits);
    const unsigned hex = code;
    if (const wchar_t* known = TableText(code)) {
        FormatWide(text, kErrorTextUnits, L"%08x(%ls) %ls", hex, L"TABLE", known);
        return;
    }
    std::wstring message;
    const wchar_t* tag = nullptr;
    if (platform::SystemErrorText(code, message))
        tag = L"SYSTEM";
    else if (platform::NtStatusText(code, message))
        tag = L"NTDLL";
    if (tag != nullptr) {
        const std::size_t n = FormatWide(text, kErrorTextUnits, L"%08x(%ls) %ls", hex, tag, message.c_str());
        DropTrailingHighSurrogate(text, n);
        return;
    }
    FormatWide(text, kErrorTextUnits, L"%08x(%ls)", hex, L"not found");
}

std::wstring ErrorTextLine(std::uint32_t code)
{
    wchar_t text[kErrorTextUnits];
    FormatErrorText(code, text);
    std::wstring line = text;
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r'))
        line.pop_back();
    return line;
}

void ReportFault(const wchar_t* where, const wchar_t* what)
{
    FormatWide(report_buffer, kReportUnits, L"weftcpplib : %ls", where ? where : L"");
    platform::WriteErrorLine(report_buffer);
    FormatWide(report_buffer, kReportUnits, L"%ls", what ? what : L"");
    platform::WriteErrorLine(report_buffer);
}

bool FolderOfPath(const std::wstring& path, wchar_t separator, std::wstring& folder)
{
    const std::size_t last = path.rfind(separator);
    if (last == std::wstring::npos)
        return false;
    folder.assign(path, 0, last + 1);
    return true;
}

bool weft_get_module_folder(std::wstring& out)
{
    std::wstring path;
    std::uint32_t error = 0;
    if (!platform::ModuleFilePath(path, error)) {
        wchar_t text[kErrorTextUnits];
        FormatErrorText(error, text);
        ReportFault(L"weftcpplib::weft_get_module_folder", text);
        return false;
    }
    return FolderOfPath(path, platform::kPathSeparator, out);
}

} // namespace weftcpplib
