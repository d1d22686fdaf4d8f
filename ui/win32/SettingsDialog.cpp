// The settings dialog: opening, the common controls, reset, OK and Cancel.
#include "ui/win32/SettingsDialog.h"

#include "config/PlayMode.h"
#include "core/Patterns.h"
#include "core/TilingMode.h"
#include "ui/DialogIds.h"
#include "ui/PlayListEdit.h"
#include "ui/SettingsFields.h"
#include "ui/TextIds.h"
#include "ui/win32/DataFileNotices.h"
#include "ui/win32/DialogControls.h"
#include "ui/win32/SettingsWorking.h"
#include "ui/win32/UiLanguage.h"
#include "weftcpplib/CWeftLogManager.h"

using namespace ui::win32;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace ui::win32 {

WorkingCopies& Working()
{
    static WorkingCopies working;
    return working;
}

config::SceneData* SelectedScene()
{
    WorkingCopies& w = Working();
    if (w.settings.select < 0 || static_cast<std::size_t>(w.settings.select) >= w.scenes.size())
        return nullptr;
    return &w.scenes[static_cast<std::size_t>(w.settings.select)];
}

void RebuildScenario()
{
    config::MakeScenario(Working().scenes, Working().scenario);
}

void LoadWorkingCopies()
{
    WorkingCopies& w = Working();
    w.settings = w.model->settings;
    w.scenes = w.model->scene_list;
    RebuildScenario();
    // Only a damaged file holds a select outside the list; show its first scene.
    if (!SelectedScene() && !w.scenes.empty())
        w.settings.select = 0;
}

int ShowMessage(HWND dialog, const std::wstring& text, UINT type)
{
    return ShowMessageBox(dialog, text, Working().caption, type);
}

bool FieldPasses(HWND dialog, const FieldRule& rule, FieldCheck check)
{
    if (check == FieldCheck::ok)
        return true;
    SetFocus(GetDlgItem(dialog, rule.control_id));
    ShowMessage(dialog,
                check == FieldCheck::empty ? UiText(rule.empty_text) : UiTextF(rule.range_text, rule.lo, rule.hi));
    return false;
}

namespace {

// Each play mode's radio button: the ids follow the modes' values.
constexpr int PlayButton(std::int32_t mode)
{
    return IDC_PLAY_RULE_CODE + mode;
}
static_assert(PlayButton(config::PLAY_RULE_SELECT) == IDC_PLAY_RULE_SELECT &&
              PlayButton(config::PLAY_LIST_ORDER) == IDC_PLAY_LIST_ORDER &&
              PlayButton(config::PLAY_LIST_SHUFFLE) == IDC_PLAY_LIST_SHUFFLE &&
              PlayButton(config::PLAY_LIST_ONE) == IDC_PLAY_LIST_ONE);

// Fills a list with the labels of `count` values from the string table,
// the first value's at first_text; each item's data is its value.
void FillChoiceList(HWND dialog, int id, UINT first_text, std::size_t count)
{
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::wstring label = UiText(first_text + static_cast<UINT>(i));
        const LRESULT index = SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
        SendDlgItemMessageW(dialog, id, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(i));
    }
}

void ShowCommonFields(HWND dialog)
{
    const config::CommonSettings& s = Working().settings;
    for (const FieldRule* rule : {&kFpsField, &kDropField, &kTimeField, &kWidthField, &kHeightField})
        SetTextLimit(dialog, rule->control_id, TextLimit(*rule));
    SetItemTextF(dialog, IDC_FPS, L"%u", s.fps);
    SetItemTextF(dialog, IDC_DROP, L"%d", s.drop);
    SetItemTextF(dialog, IDC_TIME, L"%d", s.time);
    SetItemTextF(dialog, IDC_FSIZE_WIDTH, L"%d", s.fsize.width);
    SetItemTextF(dialog, IDC_FSIZE_HEIGHT, L"%d", s.fsize.height);
}

void ShowPlayMode(HWND dialog)
{
    // A play mode outside the buttons (a damaged file) checks none.
    const std::int32_t play = Working().settings.play;
    for (const std::int32_t mode : config::kPlayModes)
        CheckItem(dialog, PlayButton(mode), mode == play);
}

void FillSceneList(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_RESETCONTENT, 0, 0);
    for (const config::SceneData& scene : Working().scenes) {
        const std::wstring text = SceneEntryText(scene);
        SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_SETCURSEL, static_cast<WPARAM>(Working().settings.select), 0);
}

void OnInit(HWND dialog, const SettingsDialogParams& params)
{
    WeftLog().Print(LOG_INFO, L"********** 設定ダイアログ開始 **********");
    WeftLog().Print(LOG_INFO, L"fChildPreview : %d", params.preview_mode ? 1 : 0);
    WorkingCopies& w = Working();
    wchar_t title[128] = {};
    GetWindowTextW(dialog, title, 128);
    w.caption = title;
    w.model = params.config;
    // A missing file leaves the model's defaults; an unreadable one what
    // could be read, with the built-in scenes it lacked.
    w.model->ReadDataFile();
    LoadWorkingCopies();
    FillChoiceList(dialog, IDC_INIT_LIST, IDS_PATTERN_FIRST, core::kInitPatternCount);
    FillChoiceList(dialog, IDC_TILING_LIST, IDS_TILING_FIRST, core::kTilingModeCount);
    RefreshAllControls(dialog);
    // The user learns of a damaged file once, with its copy already made, so
    // that whatever the dialog writes later replaces nothing unkept.
    if (!w.model->unread_file.path.empty()) {
        w.model->KeepUnreadDataFile();
        ShowMessage(dialog, UnreadFileNotice(w.model->unread_file));
    }
}

// Reads the common fields in order; false after the first failure, which
// has been reported. Values read before it stay in the working settings.
bool StoreCommonFields(HWND dialog)
{
    config::CommonSettings& s = Working().settings;
    const bool passed =
        FieldPasses(dialog, kFpsField, CheckFps(ItemText(dialog, IDC_FPS), s.fps)) &&
        FieldPasses(dialog, kDropField, CheckDrop(ItemText(dialog, IDC_DROP), s.drop)) &&
        FieldPasses(dialog, kTimeField, CheckMinutes(kTimeField, ItemText(dialog, IDC_TIME), s.time)) &&
        FieldPasses(dialog, kWidthField, CheckCells(kWidthField, ItemText(dialog, IDC_FSIZE_WIDTH), s.fsize.width)) &&
        FieldPasses(dialog, kHeightField, CheckCells(kHeightField, ItemText(dialog, IDC_FSIZE_HEIGHT), s.fsize.height));
    if (!passed)
        return false;
    for (const std::int32_t mode : config::kPlayModes) {
        if (IsItemChecked(dialog, PlayButton(mode))) {
            s.play = mode;
            break;
        }
    }
    return true;
}

void OnOk(HWND dialog)
{
    if (!StoreCommonFields(dialog) || !StoreSceneControls(dialog))
        return;
    WorkingCopies& w = Working();
    if (config::SceneData* scene = SelectedScene())
        w.model->SetCurrentScene(*scene);
    w.model->SetCommonSettings(w.settings);
    w.model->scene_list = w.scenes;
    // Settings that reached no file are not given up: the user is told and
    // the dialog stays open, to try again or cancel.
    if (!w.model->WriteDataFile()) {
        ShowMessage(dialog, SaveFailureNotice(w.model->write_failures));
        return;
    }
    WeftLog().Print(LOG_INFO, L"********** 設定ダイアログ終了 **********");
    EndDialog(dialog, 0);
}

void OnCancel(HWND dialog)
{
    EndDialog(dialog, 1);
    WeftLog().Print(LOG_INFO, L"********** 設定ダイアログキャンセル **********");
}

void OnReset(HWND dialog)
{
    const int answer = ShowMessage(dialog, UiText(IDS_CONFIRM_RESET), MB_ICONWARNING | MB_YESNO);
    if (answer != IDYES)
        return;
    Working().model->SetDefaults();
    LoadWorkingCopies();
    RefreshAllControls(dialog);
}

// Returns whether the command was handled (the dialog procedure's result).
bool OnCommand(HWND dialog, int id, int code)
{
    switch (id) {
    case IDC_SCENE_LIST:
        if (code == CBN_SELCHANGE)
            OnSceneListChange(dialog);
        return true;
    case IDC_PLAY_LIST:
        if (code == LBN_SELCHANGE)
            OnPlayListChange(dialog);
        return false;
    case IDC_OWN_TIME:
    case IDC_OWN_SIZE:
    case IDC_OWN_INIT:
    case IDC_OWN_TILING:
    case IDC_OWN_HUE:
        OnOwnSettingBox(dialog, id);
        return true;
    case IDC_RANDOM_TIME:
    case IDC_RANDOM_SIZE:
    case IDC_RANDOM_INIT:
    case IDC_RANDOM_TILING:
        OnRandomBox(dialog, id);
        return true;
    case IDC_RANDOM_HUE:
        StoreSceneControls(dialog);
        return true;
    case IDC_RENAME: OnRename(dialog); return true;
    case IDC_COLORS: OnColors(dialog); return true;
    case IDC_ADD_TO_LIST: OnAddToPlayList(dialog); return true;
    case IDC_REMOVE_FROM_LIST: OnRemoveFromPlayList(dialog); return true;
    case IDC_MOVE_UP: OnMoveUp(dialog); return true;
    case IDC_MOVE_DOWN: OnMoveDown(dialog); return true;
    case IDC_RESET: OnReset(dialog); return true;
    case IDOK: OnOk(dialog); return true;
    case IDCANCEL: OnCancel(dialog); return true;
    default: return false;
    }
}

} // namespace

void RefreshAllControls(HWND dialog)
{
    WeftLog().Print(LOG_INFO, L"> 全体コントロール初期化");
    ShowCommonFields(dialog);
    ShowPlayMode(dialog);
    FillSceneList(dialog);
    LoadSceneControls(dialog);
    RefillPlayList(dialog);
}

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog, *reinterpret_cast<const SettingsDialogParams*>(lparam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wparam), HIWORD(wparam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

INT_PTR ShowSettingsDialog(HWND parent, config::WeftConfig& config, bool preview_mode)
{
    SettingsDialogParams params{&config, preview_mode};
    return ShowDialog(parent, IDD_SETTINGS, SettingsDialogProc, reinterpret_cast<LPARAM>(&params));
}

} // namespace ui::win32
