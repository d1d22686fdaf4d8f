// The dialogs and messages in the user's language. The same tests run with
// a Japanese and with an English locale, each in a Wine prefix of its own.
#include <gtest/gtest.h>

#include "DialogHarness.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
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
using ui::win32::kEnglish;
using ui::win32::kJapanese;
using ui::win32::UiLanguage;

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

// One control of a dialog template (DLGTEMPLATEEX), read independently of
// the code under test.
struct TemplateItem {
    DWORD style;
    int id;
    std::wstring kind;  // class name, or "#" and the atom
    std::wstring text;
};

struct DialogTemplateText {
    DWORD style = 0;
    std::wstring caption;
    std::vector<TemplateItem> items;
};

class TemplateReader {
public:
    explicit TemplateReader(const void* data) : p_(static_cast<const BYTE*>(data)) {}
    WORD Word() { WORD w; std::memcpy(&w, p_, 2); p_ += 2; return w; }
    DWORD Dword() { DWORD d; std::memcpy(&d, p_, 4); p_ += 4; return d; }
    // A string or an ordinal ("#" and its number).
    std::wstring NameOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring text;
        for (WORD c = first; c != 0; c = Word())
            text += static_cast<wchar_t>(c);
        return text;
    }
    void Skip(std::size_t bytes) { p_ += bytes; }
    void AlignDword() { p_ = reinterpret_cast<const BYTE*>((reinterpret_cast<UINT_PTR>(p_) + 3) & ~UINT_PTR{3}); }

private:
    const BYTE* p_;
};

DialogTemplateText ReadTemplate(int id, LANGID language)
{
    const DLGTEMPLATE* data = ui::win32::DialogTemplate(id, language);
    DialogTemplateText dialog;
    if (!data) {
        ADD_FAILURE() << "no template " << id << " in language " << language;
        return dialog;
    }
    TemplateReader r(data);
    EXPECT_EQ(r.Word(), 1) << "DIALOGEX templates only";
    EXPECT_EQ(r.Word(), 0xFFFF);
    r.Skip(8);  // help id, extended style
    dialog.style = r.Dword();
    const WORD count = r.Word();
    r.Skip(8);  // position
    r.NameOrOrdinal();  // menu
    r.NameOrOrdinal();  // class
    dialog.caption = r.NameOrOrdinal();
    if (dialog.style & DS_SETFONT) {
        r.Skip(6);  // size, weight, italic, character set
        r.NameOrOrdinal();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        r.Skip(8);  // help id, extended style
        TemplateItem item;
        item.style = r.Dword();
        r.Skip(8);  // position
        item.id = static_cast<int>(static_cast<short>(r.Dword()));
        item.kind = r.NameOrOrdinal();
        item.text = r.NameOrOrdinal();
        r.Skip(r.Word());
        dialog.items.push_back(item);
    }
    return dialog;
}

std::wstring WindowText(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

std::wstring ClassOf(HWND window)
{
    wchar_t buffer[64] = {};
    GetClassNameW(window, buffer, 64);
    return buffer;
}

// The children of a dialog in creation order, which is template order.
std::vector<HWND> Children(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// Every dialog, created from the template of the user's language with its
// own procedure, as the settings dialog opens it.
class UiLanguageDialogs : public ::testing::Test {
protected:
    UiLanguageDialogs() : file_(L"tessel_ui_language_test.dat")
    {
        config_.data_file_path = file_.path();
        config_.user_data_file_path.clear();
        const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
        InitCommonControlsEx(&classes);
        ui::NameDialogExchange() = {ui::win32::UiText(IDS_NAME_TITLE), ui::win32::UiTextF(IDS_NAME_PROMPT, 15), 15,
                                    L"Glider"};
    }
    ~UiLanguageDialogs() override
    {
        for (HWND dialog : open_)
            DestroyWindow(dialog);
    }
    HWND Open(int id)
    {
        HWND dialog = nullptr;
        if (id == IDD_SETTINGS)
            dialog = ui::win32::CreateDialogWindow(nullptr, id, SettingsDialogProc, reinterpret_cast<LPARAM>(&params_));
        else if (id == IDD_CELL_COLOR)
            dialog = ui::win32::CreateDialogWindow(nullptr, id, CellColorDialogProc, reinterpret_cast<LPARAM>(&colors_));
        else
            dialog = ui::win32::CreateDialogWindow(nullptr, id, NameDialogProc);
        EXPECT_NE(dialog, nullptr);
        if (dialog) {
            ShowWindow(dialog, SW_SHOW);
            open_.push_back(dialog);
        }
        return dialog;
    }

    DialogHarness harness_;
    TempDataFile file_;
    config::WeftConfig config_;
    SettingsDialogParams params_{&config_, false};
    ui::ColorExchange colors_{0, 255, 255, 1020, 128, 255, 0x00303030};
    std::vector<HWND> open_;
};

constexpr int kDialogs[] = {IDD_SETTINGS, IDD_CELL_COLOR, IDD_NAME};

TEST(UiLanguage, FollowsTheLocaleWineWasGiven)
{
    const char* lang = std::getenv("LANG");
    const bool japanese = lang && std::string(lang).starts_with("ja");
    EXPECT_EQ(UiLanguage(), japanese ? kJapanese : kEnglish) << (lang ? lang : "(no LANG)");
    for (LANGID other : {0x0409, 0x0809, 0x0407, 0x040C, 0x0804, 0x0412})
        EXPECT_EQ(ui::win32::UiLanguageFor(other), kEnglish) << other;
    EXPECT_EQ(ui::win32::UiLanguageFor(0x0411), kJapanese);
}

// Same ids, kinds, styles and order (so the same tab order and behaviour);
// only the texts and the places differ.
TEST(UiLanguage, EnglishTemplatesMatchTheJapaneseOnes)
{
    for (int id : kDialogs) {
        const DialogTemplateText ja = ReadTemplate(id, kJapanese);
        const DialogTemplateText en = ReadTemplate(id, kEnglish);
        EXPECT_EQ(en.style, ja.style) << id;
        ASSERT_EQ(en.items.size(), ja.items.size()) << id;
        EXPECT_FALSE(HasJapanese(en.caption));
        for (std::size_t i = 0; i < ja.items.size(); ++i) {
            EXPECT_EQ(en.items[i].id, ja.items[i].id) << id << " item " << i;
            EXPECT_EQ(en.items[i].kind, ja.items[i].kind) << id << " item " << i;
            EXPECT_EQ(en.items[i].style, ja.items[i].style) << id << " item " << i;
            EXPECT_FALSE(HasJapanese(en.items[i].text)) << Narrow(en.items[i].text);
            EXPECT_EQ(en.items[i].text.empty(), ja.items[i].text.empty()) << id << " item " << i;
        }
    }
}

// Every string exists in both languages with the same printf arguments.
TEST(UiLanguage, EveryTextHasAnEnglishTwin)
{
    const auto conversions = [](const std::wstring& text) {
        std::wstring found;
        for (std::size_t i = text.find(L'%'); i != std::wstring::npos; i = text.find(L'%', i + 2))
            found += text.substr(i, text.find_first_of(L"dulsx", i) - i + 1) + L" ";
        return found;
    };
    std::vector<UINT> ids;
    for (UINT id = IDS_FPS_EMPTY; id <= IDS_SCENE_HEIGHT_RANGE; ++id)
        ids.push_back(id);
    for (UINT id = IDS_ALREADY_IN_LIST; id <= IDS_NAME_PROMPT; ++id)
        ids.push_back(id);
    for (UINT id = IDS_UNREAD_FILE; id <= IDS_REASON_UNKNOWN; ++id)
        ids.push_back(id);
    for (UINT id = IDS_PATTERN_FIRST; id < IDS_PATTERN_FIRST + 8; ++id)
        ids.push_back(id);
    for (UINT id = IDS_TILING_FIRST; id < IDS_TILING_FIRST + 5; ++id)
        ids.push_back(id);
    for (UINT id : ids) {
        const std::wstring ja = ui::win32::UiText(id, kJapanese);
        const std::wstring en = ui::win32::UiText(id, kEnglish);
        EXPECT_TRUE(HasJapanese(ja)) << id;
        EXPECT_FALSE(en.empty()) << id;
        EXPECT_FALSE(HasJapanese(en)) << Narrow(en);
        EXPECT_EQ(conversions(en), conversions(ja)) << Narrow(en);
    }
}

// Each control shows its template's text in the user's language; lists are
// filled in it too. Under English no control holds a Japanese character.
TEST_F(UiLanguageDialogs, ControlsShowTheirLanguagesTexts)
{
    const bool english = UiLanguage() == kEnglish;
    for (int id : kDialogs) {
        const DialogTemplateText expected = ReadTemplate(id, UiLanguage());
        HWND dialog = Open(id);
        ASSERT_NE(dialog, nullptr);
        const std::vector<HWND> children = Children(dialog);
        ASSERT_EQ(children.size(), expected.items.size()) << id;
        if (id != IDD_NAME) {
            EXPECT_EQ(WindowText(dialog), expected.caption);
        }
        for (std::size_t i = 0; i < children.size(); ++i) {
            const TemplateItem& item = expected.items[i];
            EXPECT_EQ(static_cast<short>(GetDlgCtrlID(children[i])), item.id) << id << " item " << i;
            const std::wstring text = WindowText(children[i]);
            // The name dialog's prompt is always the caller's.
            if (!item.text.empty() && item.id != IDC_NAME_PROMPT) {
                EXPECT_EQ(text, item.text) << id << " item " << i;
            }
            EXPECT_FALSE(english && HasJapanese(text)) << Narrow(text);
        }
        EXPECT_EQ(HasJapanese(WindowText(dialog)), !english);
    }
    HWND settings = open_.front();
    const std::vector<std::pair<int, UINT>> lists{{IDC_INIT_LIST, IDS_PATTERN_FIRST}, {IDC_TILING_LIST, IDS_TILING_FIRST}};
    for (const auto& [list, first] : lists) {
        const auto count = static_cast<int>(Send(settings, list, CB_GETCOUNT));
        EXPECT_EQ(count, list == IDC_INIT_LIST ? 8 : 5);
        for (int i = 0; i < count; ++i) {
            wchar_t entry[128] = {};
            Send(settings, list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
            EXPECT_EQ(entry, ui::win32::UiText(first + static_cast<UINT>(i), UiLanguage()));
            EXPECT_NE(HasJapanese(entry), english) << Narrow(entry);
        }
    }
}

// The English labels fit their controls in the dialog's own font, with
// room for a check box's box and a button's frame.
TEST_F(UiLanguageDialogs, EnglishLabelsAreNotClipped)
{
    if (UiLanguage() != kEnglish)
        GTEST_SKIP() << "the Japanese layout is the original one";
    const int box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
    for (int id : kDialogs) {
        HWND dialog = Open(id);
        ASSERT_NE(dialog, nullptr);
        for (HWND child : Children(dialog)) {
            const std::wstring text = WindowText(child);
            const std::wstring kind = ClassOf(child);
            if (text.empty() || (kind != L"Static" && kind != L"Button"))
                continue;
            const LONG style = GetWindowLongW(child, GWL_STYLE);
            int margin = 0;
            if (kind == L"Button") {
                const LONG type = style & BS_TYPEMASK;
                margin = type == BS_GROUPBOX ? 16 : (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON) ? box : 8;
            }
            HDC dc = GetDC(child);
            const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
            SIZE extent{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            SelectObject(dc, old);
            ReleaseDC(child, dc);
            RECT client{};
            GetClientRect(child, &client);
            EXPECT_LE(extent.cx + margin, client.right) << Narrow(text) << " in dialog " << id;
            EXPECT_LE(extent.cy, client.bottom) << Narrow(text) << " in dialog " << id;
        }
    }
}

// Every message box of the settings dialog, read in the user's language.
TEST_F(UiLanguageDialogs, MessageBoxesSpeakTheUsersLanguage)
{
    HWND dialog = Open(IDD_SETTINGS);
    ASSERT_NE(dialog, nullptr);
    struct Case {
        std::function<void()> act;
        const wchar_t* japanese;
        const wchar_t* english;
    };
    const Case cases[] = {
        {[&] { SetText(dialog, IDC_FPS, L""); Click(dialog, IDOK); },
         L"更新レート の入力が誤っています", L"Enter a frame rate."},
        {[&] { SetText(dialog, IDC_FPS, L"121"); Click(dialog, IDOK); },
         L"更新レート には 1～120 を入力してください", L"Enter a frame rate from 1 to 120."},
        {[&] { SetText(dialog, IDC_FPS, L"30"); SetText(dialog, IDC_FSIZE_HEIGHT, L"2000"); Click(dialog, IDOK); },
         L"フレームサイズ 縦 には 128～1024 を入力してください", L"Enter a frame height from 128 to 1024 cells."},
        {[&] { SetText(dialog, IDC_FSIZE_HEIGHT, L"600"); Click(dialog, IDC_ADD_TO_LIST); },
         L"] は既にリストに在ります。\n同じルールを複数追加する事は出来ません。",
         L"] is already in the play list.\nA scene can be added only once."},
        {[&] { harness_.QueueAnswer(IDCANCEL); Click(dialog, IDC_REMOVE_FROM_LIST); },
         L"] をリストから削除します。", L"] from the play list?"},
        {[&] { Send(dialog, IDC_PLAY_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1)); Click(dialog, IDC_REMOVE_FROM_LIST); },
         L"削除するルールが選択されていません。", L"Select a scene in the play list to remove."},
        {[&] { harness_.QueueAnswer(IDNO); Click(dialog, IDC_RESET); },
         L"全ての設定を初期状態に戻します\nこの操作の実行後キャンセルしても元に戻りません\n実行しますか",
         L"All settings will go back to their defaults.\nCancel will not undo this.\nDo you want to continue?"},
    };
    const bool english = UiLanguage() == kEnglish;
    for (const Case& c : cases) {
        harness_.ClearMessages();
        c.act();
        const std::wstring text = harness_.OnlyMessage();
        EXPECT_TRUE(text.ends_with(english ? c.english : c.japanese)) << Narrow(text);
        EXPECT_EQ(harness_.messages().back().caption, english ? L"Tessel Settings" : L"Tessel の設定");
        EXPECT_FALSE(english && HasJapanese(text)) << Narrow(text);
    }

    // The name dialog as the rename button opens it.
    std::wstring title, prompt;
    harness_.QueueDriver([&](HWND named) {
        title = WindowText(named);
        prompt = Text(named, IDC_NAME_PROMPT);
        Click(named, IDCANCEL);
    });
    Click(dialog, IDC_RENAME);
    EXPECT_EQ(title, english ? L"Scene Name" : L"名称設定");
    EXPECT_EQ(prompt, english ? L"Enter a name (up to 15 characters):" : L"名称（15文字まで）を入力してください");
}

// The data-file notices: the paths and the system's texts as they are,
// every word of ours in the user's language.
TEST(UiLanguage, DataFileNoticesSpeakTheUsersLanguage)
{
    const bool english = UiLanguage() == kEnglish;
    const std::wstring kept = ui::win32::UnreadFileNotice({L"C:\\T\\Tessel.dat", config::ReadFailure::too_short,
                                                           L"C:\\T\\Tessel.damaged-20260101-000000.dat"});
    const std::wstring lost = ui::win32::UnreadFileNotice({L"C:\\T\\Tessel.dat", config::ReadFailure::bad_id, L""});
    const std::wstring unsaved = ui::win32::SaveFailureNotice({{L"", ERROR_ACCESS_DENIED}});
    if (english) {
        EXPECT_EQ(kept, L"The settings file could not be read.\nC:\\T\\Tessel.dat\nReason: The file is cut short\n\n"
                        L"The original file was kept as:\nC:\\T\\Tessel.damaged-20260101-000000.dat\n\n"
                        L"Settings that could not be read were set to their defaults; missing scenes were replaced "
                        L"by the built-in ones.");
        EXPECT_NE(lost.find(L"Reason: Not a Tessel settings file (wrong identifier)\n\nThe original file could not "
                            L"be copied"),
                  std::wstring::npos);
        EXPECT_TRUE(unsaved.starts_with(L"The settings could not be saved.\n\n(no place to save)\n"));
        for (const std::wstring* text : {&kept, &lost})
            EXPECT_FALSE(HasJapanese(*text)) << Narrow(*text);
    } else {
        EXPECT_TRUE(kept.starts_with(L"設定ファイルを読み込めませんでした。\nC:\\T\\Tessel.dat\n理由：ファイルが途中で切れています\n\n"
                                     L"元のファイルを次の名前で残しました。\n"));
        EXPECT_NE(lost.find(L"元のファイルは複製できなかったため、上書きせずにそのまま残します。"), std::wstring::npos);
        EXPECT_TRUE(unsaved.starts_with(L"設定を保存できませんでした。\n\n（保存先がありません）\n"));
    }
}

} // namespace
