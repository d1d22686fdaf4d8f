// The dialogs and messages in the user's language. The same tests run with
// a Japanese and with an English locale, each in a Wine prefix of its own.
#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "config/WeftConfig.h"
#include "ui/DialogIds.h"
#include "ui/TextIds.h"
#include "ui/win32/DataFileNotices.h"
#include "ui/win32/DlgCellColor.h"
#include "ui/win32/NameDialog.h"
#include "ui/win32/SettingsDialog.h"
#include "ui/win32/UiLanguage.h"

namespace {

using namespace tessel_test;
using ui::win32::CellColorDialogProc;
using ui::win32::NameDialogProc;
using ui::win32::SettingsDialogProc;
using ui::win32::SettingsDialogParams;
using ui::win32::kEnglish;
using ui::win32::kJapanese;
using ui::win32::UiLanguage;
using ui::win32::UiText;

constexpr int kDialogs[] = {IDD_SETTINGS, IDD_CELL_COLOR, IDD_NAME};

bool HasJapanese(const std::wstring& text)
{
    for (wchar_t c : text) {
        if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xFF00 && c <= 0xFFEF))
            return true;
    }
    return false;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

std::wstring WindowText(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

// A dialog template (DLGTEMPLATEEX) read independently of the code under
// test: the caption, then per control its style, id, class and text.
struct TemplateItem {
    DWORD style;
    short id;
    std::wstring kind;
    std::wstring text;
};

std::vector<TemplateItem> ReadTemplate(int id, LANGID language, std::wstring* caption = nullptr)
{
    const auto* p = reinterpret_cast<const BYTE*>(ui::win32::DialogTemplate(id, language));
    if (!p) {
        ADD_FAILURE() << "no template " << id << " in language " << language;
        return {};
    }
    const auto word = [&p] { WORD w; std::memcpy(&w, p, 2); p += 2; return w; };
    const auto dword = [&word] { const DWORD low = word(); return low | DWORD{word()} << 16; };
    const auto text = [&word] {
        std::wstring s;
        WORD c = word();
        if (c == 0xFFFF)
            return L"#" + std::to_wstring(word());
        for (; c != 0; c = word())
            s += static_cast<wchar_t>(c);
        return s;
    };
    p += 12;  // version, signature, help id, extended style
    const DWORD style = dword();
    const WORD count = word();
    p += 8;  // position
    text(), text();  // menu, class
    const std::wstring title = text();
    if (caption)
        *caption = title;
    if (style & DS_SETFONT) {
        p += 6;  // size, weight, italic, character set
        text();
    }
    std::vector<TemplateItem> items;
    for (WORD i = 0; i < count; ++i) {
        p = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR{3});
        p += 8;  // help id, extended style
        TemplateItem item{dword(), 0, {}, {}};
        p += 8;  // position
        item.id = static_cast<short>(dword());
        item.kind = text();
        item.text = text();
        p += word();  // creation data
        items.push_back(item);
    }
    return items;
}

// Every dialog, created from the template of the user's language with its
// own procedure; messages and sub-dialogs are answered by the harness.
class UiLanguageDialogs : public ::testing::Test {
protected:
    UiLanguageDialogs() : file_(L"tessel_ui_language_test.dat")
    {
        config_.data_file_path = file_.path();
        config_.user_data_file_path.clear();
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        ui::NameDialogExchange() = {L"", L"", 15, L"Glider"};
    }
    ~UiLanguageDialogs() override
    {
        for (HWND dialog : open_)
            DestroyWindow(dialog);
    }
    HWND Open(int id)
    {
        const DLGPROC proc =
            id == IDD_SETTINGS ? SettingsDialogProc : id == IDD_NAME ? NameDialogProc : CellColorDialogProc;
        const LPARAM param =
            id == IDD_SETTINGS ? reinterpret_cast<LPARAM>(&params_) : reinterpret_cast<LPARAM>(&colors_);
        HWND dialog = ui::win32::CreateDialogWindow(nullptr, id, proc, param);
        EXPECT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        open_.push_back(dialog);
        return dialog;
    }
    std::vector<HWND> Children(HWND dialog)  // in creation order, which is template order
    {
        std::vector<HWND> children;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            children.push_back(child);
        return children;
    }

    DialogHarness harness_;
    TempDataFile file_;
    config::WeftConfig config_;
    SettingsDialogParams params_{&config_, false};
    ui::ColorExchange colors_{0, 255, 255, 1020, 128, 255, 0x00303030};
    std::vector<HWND> open_;
    const bool english_ = UiLanguage() == kEnglish;
};

TEST(UiLanguage, FollowsTheLocaleWineWasGiven)
{
    const char* lang = std::getenv("LANG");
    EXPECT_EQ(UiLanguage(), lang && std::string(lang).starts_with("ja") ? kJapanese : kEnglish);
    EXPECT_EQ(ui::win32::UiLanguageFor(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)), kEnglish);
}

// Same ids, kinds, styles and order (so the same tab order and behaviour);
// only the texts and the places differ.
TEST(UiLanguage, EnglishTemplatesMatchTheJapaneseOnes)
{
    for (int id : kDialogs) {
        const std::vector<TemplateItem> ja = ReadTemplate(id, kJapanese);
        const std::vector<TemplateItem> en = ReadTemplate(id, kEnglish);
        ASSERT_EQ(en.size(), ja.size()) << id;
        for (std::size_t i = 0; i < ja.size(); ++i) {
            EXPECT_EQ(en[i].id, ja[i].id) << id << " item " << i;
            EXPECT_EQ(en[i].kind, ja[i].kind) << id << " item " << i;
            EXPECT_EQ(en[i].style, ja[i].style) << id << " item " << i;
            EXPECT_EQ(en[i].text.empty(), ja[i].text.empty()) << id << " item " << i;
        }
    }
}

// Every string exists in both languages with the same printf arguments.
TEST(UiLanguage, EveryTextHasAnEnglishTwin)
{
    const auto conversions = [](const std::wstring& text) {
        std::wstring found;
        for (std::size_t i = text.find(L'%'); i != std::wstring::npos; i = text.find(L'%', i + 1))
            found += text.substr(i, text.find_first_of(L"dulsx", i) - i + 1);
        return found;
    };
    const std::pair<UINT, UINT> ranges[] = {{IDS_FPS_EMPTY, IDS_SCENE_HEIGHT_RANGE},
                                            {IDS_ALREADY_IN_LIST, IDS_NAME_PROMPT},
                                            {IDS_UNREAD_FILE, IDS_DATA_FILE_IS_FOLDER},
                                            {IDS_PATTERN_FIRST, IDS_PATTERN_FIRST + 7},
                                            {IDS_TILING_FIRST, IDS_TILING_FIRST + 4}};
    for (const auto& [first, last] : ranges) {
        for (UINT id = first; id <= last; ++id) {
            const std::wstring ja = UiText(id, kJapanese);
            const std::wstring en = UiText(id, kEnglish);
            EXPECT_TRUE(HasJapanese(ja)) << id;
            EXPECT_TRUE(!en.empty() && !HasJapanese(en)) << id << ": " << Narrow(en);
            EXPECT_EQ(conversions(en), conversions(ja)) << Narrow(en);
        }
    }
}

// Each control shows its template's text in the user's language, and the
// lists their entries; under English no control holds a Japanese character.
TEST_F(UiLanguageDialogs, ControlsShowTheirLanguagesTexts)
{
    for (int id : kDialogs) {
        std::wstring caption;
        const std::vector<TemplateItem> expected = ReadTemplate(id, UiLanguage(), &caption);
        HWND dialog = Open(id);
        const std::vector<HWND> children = Children(dialog);
        ASSERT_EQ(children.size(), expected.size()) << id;
        EXPECT_EQ(WindowText(dialog), id == IDD_NAME ? L"" : caption);
        for (std::size_t i = 0; i < children.size(); ++i) {
            EXPECT_EQ(static_cast<short>(GetDlgCtrlID(children[i])), expected[i].id) << id << " item " << i;
            const std::wstring text = WindowText(children[i]);
            // The name dialog's prompt is always the caller's.
            if (!expected[i].text.empty() && expected[i].id != IDC_NAME_PROMPT) {
                EXPECT_EQ(text, expected[i].text) << id << " item " << i;
            }
            EXPECT_FALSE(english_ && HasJapanese(text)) << Narrow(text);
        }
    }
    const std::tuple<int, UINT, int> lists[] = {{IDC_INIT_LIST, IDS_PATTERN_FIRST, 8}, {IDC_TILING_LIST, IDS_TILING_FIRST, 5}};
    for (const auto& [list, first, count] : lists) {
        ASSERT_EQ(Send(open_.front(), list, CB_GETCOUNT), count);
        for (int i = 0; i < count; ++i) {
            wchar_t entry[128] = {};
            Send(open_.front(), list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            EXPECT_EQ(entry, UiText(first + static_cast<UINT>(i), UiLanguage()));
            EXPECT_NE(HasJapanese(entry), english_) << Narrow(entry);
        }
    }
}

// The English labels fit their controls in the dialog's own font, with
// room for a check box's box and a button's frame.
TEST_F(UiLanguageDialogs, EnglishLabelsAreNotClipped)
{
    if (!english_)
        GTEST_SKIP() << "the Japanese layout is the original one";
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (int id : kDialogs) {
        for (HWND child : Children(Open(id))) {
            wchar_t kind[16] = {};
            GetClassNameW(child, kind, 16);
            const std::wstring text = WindowText(child);
            const bool button = std::wstring(kind) == L"Button";
            if (text.empty() || (!button && std::wstring(kind) != L"Static"))
                continue;
            const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
            const bool boxed = type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON;
            const int margin = !button ? 0 : type == BS_GROUPBOX ? 16 : boxed ? box : 8;
            HDC dc = GetDC(child);
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            RECT client{};
            GetClientRect(child, &client);
            EXPECT_TRUE(extent.cx + margin <= client.right && extent.cy <= client.bottom)
                << Narrow(text) << " in dialog " << id << ": " << extent.cx << " + " << margin << " > " << client.right;
        }
    }
}

// Every message box of the settings dialog and the name dialog it opens,
// read in the user's language.
TEST_F(UiLanguageDialogs, MessageBoxesSpeakTheUsersLanguage)
{
    HWND dialog = Open(IDD_SETTINGS);
    const struct {
        std::function<void()> act;
        const wchar_t* japanese;
        const wchar_t* english;
    } cases[] = {
        {[&] { SetText(dialog, IDC_FPS, L""); Click(dialog, IDOK); }, L"更新レート の入力が誤っています",
         L"Enter a frame rate."},
        {[&] { SetText(dialog, IDC_FPS, L"121"); Click(dialog, IDOK); },
         L"更新レート には 1～120 を入力してください", L"Enter a frame rate from 1 to 120."},
        {[&] { SetText(dialog, IDC_FPS, L"30"); SetText(dialog, IDC_FSIZE_HEIGHT, L"2000"); Click(dialog, IDOK); },
         L"フレームサイズ 縦 には 128～1024 を入力してください", L"Enter a frame height from 128 to 1024 cells."},
        {[&] { Click(dialog, IDC_ADD_TO_LIST); }, L"] は既にリストに在ります。\n同じルールを複数追加する事は出来ません。",
         L"] is already in the play list.\nA scene can be added only once."},
        {[&] { harness_.QueueAnswer(IDCANCEL); Click(dialog, IDC_REMOVE_FROM_LIST); }, L"] をリストから削除します。",
         L"] from the play list?"},
        {[&] { Send(dialog, IDC_PLAY_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1)); Click(dialog, IDC_REMOVE_FROM_LIST); },
         L"削除するルールが選択されていません。", L"Select a scene in the play list to remove."},
        {[&] { harness_.QueueAnswer(IDNO); Click(dialog, IDC_RESET); },
         L"全ての設定を初期状態に戻します\nこの操作の実行後キャンセルしても元に戻りません\n実行しますか",
         L"All settings will go back to their defaults.\nCancel will not undo this.\nDo you want to continue?"},
    };
    for (const auto& c : cases) {
        harness_.ClearMessages();
        c.act();
        const std::wstring text = harness_.OnlyMessage();
        EXPECT_TRUE(text.ends_with(english_ ? c.english : c.japanese)) << Narrow(text);
        EXPECT_FALSE(english_ && HasJapanese(text)) << Narrow(text);
        EXPECT_EQ(harness_.messages().back().caption, english_ ? L"Tessel Settings" : L"Tessel の設定");
    }
    std::wstring title, prompt;
    harness_.QueueDriver([&](HWND named) {
        title = WindowText(named);
        prompt = Text(named, IDC_NAME_PROMPT);
        Click(named, IDCANCEL);
    });
    Click(dialog, IDC_RENAME);
    EXPECT_EQ(title, english_ ? L"Scene Name" : L"名称設定");
    EXPECT_EQ(prompt, english_ ? L"Enter a name (up to 15 characters):" : L"名称（15文字まで）を入力してください");
}

// The data-file notices in English (the Japanese ones are checked where the
// dialog shows them): the paths and the system's texts as they are.
TEST(UiLanguage, DataFileNoticesInEnglish)
{
    if (UiLanguage() != kEnglish)
        GTEST_SKIP() << "the Japanese notices are checked with the dialog";
    const std::wstring file = L"C:\\T\\Tessel.dat";
    EXPECT_EQ(ui::win32::UnreadFileNotice({file, config::ReadFailure::too_short, L"C:\\T\\Tessel.damaged.dat"}),
              L"The settings file could not be read.\nC:\\T\\Tessel.dat\nReason: The file is cut short\n\n"
              L"The original file was kept as:\nC:\\T\\Tessel.damaged.dat\n\nSettings that could not be read were set to "
              L"their defaults; missing scenes were replaced by the built-in ones.");
    EXPECT_NE(ui::win32::UnreadFileNotice({file, config::ReadFailure::bad_id, L""})
                  .find(L"Reason: Not a Tessel settings file (wrong identifier)\n\nThe original file could not be copied"),
              std::wstring::npos);
    EXPECT_TRUE(ui::win32::SaveFailureNotice({{L"", ERROR_ACCESS_DENIED}})
                    .starts_with(L"The settings could not be saved.\n\n(no place to save)\n"));
}

} // namespace
