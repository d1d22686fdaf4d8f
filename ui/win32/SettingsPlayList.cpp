// The settings dialog's scene choice, play list, rename and colour commands.
#include "ui/DialogIds.h"
#include "ui/win32/DlgCellColor.h"
#include "ui/win32/NameDialog.h"
#include "ui/PlayListEdit.h"
#include "ui/win32/DialogControls.h"
#include "ui/TextIds.h"
#include "ui/win32/SettingsWorking.h"
#include "ui/win32/UiLanguage.h"
#include "weftcpplib/CWeftLogManager.h"
#include "platform/Utf16.h"

using namespace ui::win32;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace ui::win32 {
namespace {

constexpr int kNameCharacters = static_cast<int>(config::kSceneNameUnits) - 1;

std::wstring NameOf(const config::SceneData& scene)
{
    return platform::WideFromUtf16(scene.name, config::kSceneNameUnits);
}

LRESULT PlayListSelection(HWND dialog)
{
    return SendDlgItemMessageW(dialog, IDC_PLAY_LIST, LB_GETCURSEL, 0, 0);
}

void AfterPlayListChange(HWND dialog)
{
    RebuildScenario();
    RefreshAllControls(dialog);
}

} // namespace

void SelectPlayListEntry(HWND dialog, const config::SceneData& scene)
{
    // A negative order clears the selection.
    SendDlgItemMessageW(dialog, IDC_PLAY_LIST, LB_SETCURSEL, static_cast<WPARAM>(scene.order), 0);
}

void RefillPlayList(HWND dialog)
{
    WeftLog().Print(LOG_INFO, L"> 再生リスト初期化");
    SendDlgItemMessageW(dialog, IDC_PLAY_LIST, LB_RESETCONTENT, 0, 0);
    for (const config::SceneData* scene : Working().scenario) {
        const std::wstring text = SceneEntryText(*scene);
        SendDlgItemMessageW(dialog, IDC_PLAY_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        WeftLog().Print(LOG_INFO, L"+ %ls", text.c_str());
    }
    const config::SceneData* selected = SelectedScene();
    if (selected && selected->order >= 0)
        SelectPlayListEntry(dialog, *selected);
}

void OnSceneListChange(HWND dialog)
{
    config::CommonSettings& settings = Working().settings;
    const auto chosen = static_cast<std::int32_t>(SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_GETCURSEL, 0, 0));
    if (chosen < 0 || chosen == settings.select)
        return;
    // Invalid input can't be left behind on the scene being left.
    if (!StoreSceneControls(dialog)) {
        SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_SETCURSEL, static_cast<WPARAM>(settings.select), 0);
        return;
    }
    settings.select = chosen;
    LoadSceneControls(dialog);
    if (const config::SceneData* scene = SelectedScene())
        SelectPlayListEntry(dialog, *scene);
}

void OnPlayListChange(HWND dialog)
{
    const LRESULT entry = PlayListSelection(dialog);
    if (entry == LB_ERR)
        return;
    WeftLog().Print(LOG_INFO, L"LBN_SELCHANGE : %d", static_cast<int>(entry));
    if (!StoreSceneControls(dialog)) {
        if (const config::SceneData* scene = SelectedScene())
            SelectPlayListEntry(dialog, *scene);
        return;
    }
    WorkingCopies& w = Working();
    for (std::size_t i = 0; i < w.scenes.size(); ++i) {
        if (w.scenes[i].order != entry)
            continue;
        SendDlgItemMessageW(dialog, IDC_SCENE_LIST, CB_SETCURSEL, i, 0);
        w.settings.select = static_cast<std::int32_t>(i);
        WeftLog().Print(LOG_INFO, L"scr.select : %d", w.settings.select);
        LoadSceneControls(dialog);
        return;
    }
}

void OnRename(HWND dialog)
{
    config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    NameDialogValues& values = NameDialogExchange();
    values.title = UiText(IDS_NAME_TITLE);
    values.prompt = UiTextF(IDS_NAME_PROMPT, kNameCharacters);
    values.length = kNameCharacters;
    values.text = NameOf(*scene);
    if (ShowNameDialog(dialog) != IDOK)
        return;
    // The field keeps a terminating NUL: at most 15 characters arrive.
    platform::WideToUtf16Field(values.text, scene->name, config::kSceneNameUnits);
    AfterPlayListChange(dialog);
}

void OnColors(HWND dialog)
{
    config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    ColorExchange colors{scene->h_min, scene->s_min2, scene->v_min, scene->h_max,
                         scene->s_max2, scene->v_max, scene->death_color};
    if (ShowCellColorDialog(dialog, colors) != IDOK)
        return;
    scene->h_min = colors.h_min;
    scene->s_min2 = colors.s_min2;
    scene->v_min = colors.v_min;
    scene->h_max = colors.h_max;
    scene->s_max2 = colors.s_max2;
    scene->v_max = colors.v_max;
    scene->death_color = colors.death_color;
}

void OnAddToPlayList(HWND dialog)
{
    config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    if (scene->order >= 0) {
        ShowMessage(dialog, UiTextF(IDS_ALREADY_IN_LIST, NameOf(*scene).c_str()));
        return;
    }
    const int size = static_cast<int>(Working().scenario.size());
    WeftLog().Print(LOG_INFO, L"scenario.size : %d", size);
    AppendToPlayList(*scene, size);
    WeftLog().Print(LOG_INFO, L"> 再生リスト追加  %ls", SceneEntryText(*scene).c_str());
    AfterPlayListChange(dialog);
}

void OnRemoveFromPlayList(HWND dialog)
{
    config::SceneData* scene = SelectedScene();
    if (PlayListSelection(dialog) == LB_ERR || !scene) {
        ShowMessage(dialog, UiText(IDS_NOTHING_TO_REMOVE));
        return;
    }
    const std::wstring name = NameOf(*scene);
    if (ShowMessage(dialog, UiTextF(IDS_CONFIRM_REMOVE, name.c_str()), MB_OKCANCEL) != IDOK)
        return;
    WeftLog().Print(LOG_INFO, L"> 再生リスト削除  %ls", name.c_str());
    RemoveFromPlayList(Working().scenes, *scene);
    AfterPlayListChange(dialog);
}

void OnMoveUp(HWND dialog)
{
    const LRESULT i = PlayListSelection(dialog);
    const auto& scenario = Working().scenario;
    if (i == LB_ERR || i <= 0 || static_cast<std::size_t>(i) >= scenario.size())
        return;
    SwapPlayListNeighbours(*scenario[static_cast<std::size_t>(i) - 1], *scenario[static_cast<std::size_t>(i)]);
    AfterPlayListChange(dialog);
}

void OnMoveDown(HWND dialog)
{
    const LRESULT i = PlayListSelection(dialog);
    const auto& scenario = Working().scenario;
    if (i == LB_ERR || static_cast<std::size_t>(i) + 1 >= scenario.size())
        return;
    SwapPlayListNeighbours(*scenario[static_cast<std::size_t>(i)], *scenario[static_cast<std::size_t>(i) + 1]);
    AfterPlayListChange(dialog);
}

} // namespace ui::win32
