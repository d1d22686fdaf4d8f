// The settings dialog's per-scene controls: five groups, each an own-setting
// box, a random box and the value controls, decided by a value of the scene
// and one of its random bits.
#include "ui/DialogIds.h"
#include "ui/SettingsFields.h"
#include "ui/win32/DialogControls.h"
#include "ui/win32/SettingsWorking.h"
#include "weftcpplib/CWeftLogManager.h"

using namespace ui::win32;
using weftcpplib::LOG_INFO;
using weftcpplib::WeftLog;

namespace ui::win32 {
namespace {

enum class Group { kTime, kSize, kInit, kTiling, kHue };

struct GroupControls {
    int own;
    int random;
    std::uint16_t random_bit;
};

GroupControls ControlsOf(Group group)
{
    switch (group) {
    case Group::kTime: return {IDC_OWN_TIME, IDC_RANDOM_TIME, config::RANDOM_TIME};
    case Group::kSize: return {IDC_OWN_SIZE, IDC_RANDOM_SIZE, config::RANDOM_SIZE};
    case Group::kInit: return {IDC_OWN_INIT, IDC_RANDOM_INIT, config::RANDOM_INIT};
    case Group::kTiling: return {IDC_OWN_TILING, IDC_RANDOM_TILING, config::RANDOM_TILING};
    case Group::kHue: break;
    }
    return {IDC_OWN_HUE, IDC_RANDOM_HUE, config::RANDOM_HUE};
}

Group GroupOfBox(int id)
{
    const int index = id >= IDC_RANDOM_TIME ? id - IDC_RANDOM_TIME : id - IDC_OWN_TIME;
    return static_cast<Group>(index);
}

bool HasBit(const config::SceneData& scene, std::uint16_t bit)
{
    return (scene.random_flags & bit) != 0;
}

void SetBit(config::SceneData& scene, std::uint16_t bit, bool on)
{
    scene.random_flags = static_cast<std::uint16_t>(on ? scene.random_flags | bit : scene.random_flags & ~bit);
}

void DisableList(HWND dialog, int id)
{
    ClearSelection(dialog, id);
    EnableItem(dialog, id, false);
}

// The group's value controls emptied (lists: no selection) and disabled.
void ClearGroupValue(HWND dialog, Group group)
{
    switch (group) {
    case Group::kTime:
        ClearAndDisable(dialog, IDC_SCENE_TIME);
        break;
    case Group::kSize:
        ClearAndDisable(dialog, IDC_SCENE_WIDTH);
        ClearAndDisable(dialog, IDC_SCENE_HEIGHT);
        break;
    case Group::kInit:
        DisableList(dialog, IDC_INIT_LIST);
        break;
    case Group::kTiling:
        DisableList(dialog, IDC_TILING_LIST);
        break;
    case Group::kHue:
        break;
    }
}

// The group's value shown and enabled; a scene without its own value shows
// the common one (or the first pattern).
void ShowGroupValue(HWND dialog, Group group, const config::SceneData& scene)
{
    const config::CommonSettings& common = Working().settings;
    switch (group) {
    case Group::kTime:
        SetItemTextF(dialog, IDC_SCENE_TIME, L"%d", config::EffectiveTime(scene, common));
        EnableItem(dialog, IDC_SCENE_TIME, true);
        break;
    case Group::kSize:
        SetItemTextF(dialog, IDC_SCENE_WIDTH, L"%d", config::EffectiveWidth(scene, common));
        SetItemTextF(dialog, IDC_SCENE_HEIGHT, L"%d", config::EffectiveHeight(scene, common));
        EnableItem(dialog, IDC_SCENE_WIDTH, true);
        EnableItem(dialog, IDC_SCENE_HEIGHT, true);
        break;
    case Group::kInit:
        if (scene.init >= 0)
            SelectByItemData(dialog, IDC_INIT_LIST, scene.init);
        else
            SendDlgItemMessageW(dialog, IDC_INIT_LIST, CB_SETCURSEL, 0, 0);
        EnableItem(dialog, IDC_INIT_LIST, true);
        break;
    case Group::kTiling:
        SelectByItemData(dialog, IDC_TILING_LIST, scene.tilling);
        EnableItem(dialog, IDC_TILING_LIST, true);
        break;
    case Group::kHue:
        break;
    }
}

void LoadTime(HWND dialog, const config::SceneData& scene)
{
    const bool random = HasBit(scene, config::RANDOM_TIME);
    CheckItem(dialog, IDC_OWN_TIME, scene.time >= 0 || random);
    CheckItem(dialog, IDC_RANDOM_TIME, random);
    EnableItem(dialog, IDC_RANDOM_TIME, false);
    if (scene.time >= 0)
        ShowGroupValue(dialog, Group::kTime, scene);
    else
        ClearGroupValue(dialog, Group::kTime);
}

void LoadSize(HWND dialog, const config::SceneData& scene)
{
    const bool random = HasBit(scene, config::RANDOM_SIZE);
    const bool own = scene.size.width >= 0;
    CheckItem(dialog, IDC_OWN_SIZE, own || random);
    CheckItem(dialog, IDC_RANDOM_SIZE, random);
    EnableItem(dialog, IDC_RANDOM_SIZE, own || random);
    if (own) {
        SetItemTextF(dialog, IDC_SCENE_WIDTH, L"%d", scene.size.width);
        SetItemTextF(dialog, IDC_SCENE_HEIGHT, L"%d", scene.size.height);
        EnableItem(dialog, IDC_SCENE_WIDTH, true);
        EnableItem(dialog, IDC_SCENE_HEIGHT, true);
    } else {
        ClearGroupValue(dialog, Group::kSize);
    }
}

void LoadInit(HWND dialog, const config::SceneData& scene)
{
    const bool random = HasBit(scene, config::RANDOM_INIT);
    CheckItem(dialog, IDC_OWN_INIT, scene.init >= 0 || random);
    CheckItem(dialog, IDC_RANDOM_INIT, random);
    if (scene.init < 0) {
        // The list keeps whatever it showed last.
        EnableItem(dialog, IDC_RANDOM_INIT, random);
        EnableItem(dialog, IDC_INIT_LIST, false);
    } else if (random) {
        DisableList(dialog, IDC_INIT_LIST);
    } else {
        SelectByItemData(dialog, IDC_INIT_LIST, scene.init);
        EnableItem(dialog, IDC_INIT_LIST, true);
    }
}

void LoadTiling(HWND dialog, const config::SceneData& scene)
{
    const bool random = HasBit(scene, config::RANDOM_TILING);
    CheckItem(dialog, IDC_OWN_TILING, true);
    CheckItem(dialog, IDC_RANDOM_TILING, random);
    if (random) {
        DisableList(dialog, IDC_TILING_LIST);
    } else {
        SelectByItemData(dialog, IDC_TILING_LIST, scene.tilling);
        EnableItem(dialog, IDC_TILING_LIST, true);
    }
}

void LoadHue(HWND dialog, const config::SceneData& scene)
{
    const bool random = HasBit(scene, config::RANDOM_HUE);
    const bool own = scene.h_min >= 0;
    CheckItem(dialog, IDC_OWN_HUE, own || random);
    CheckItem(dialog, IDC_RANDOM_HUE, random);
    if (!own)
        EnableItem(dialog, IDC_RANDOM_HUE, random);
    EnableItem(dialog, IDC_COLORS, own);
}

// Time and size: a box with its own value is read and checked; false after
// reporting the first failure.
bool StoreTime(HWND dialog, config::SceneData& scene)
{
    const bool own = IsItemChecked(dialog, IDC_OWN_TIME);
    const bool random = own && IsItemChecked(dialog, IDC_RANDOM_TIME);
    SetBit(scene, config::RANDOM_TIME, random);
    if (!own || random) {
        scene.time = -1;
        return true;
    }
    return FieldPasses(dialog, kSceneTimeField,
                       CheckMinutes(kSceneTimeField, ItemText(dialog, IDC_SCENE_TIME), scene.time));
}

bool StoreSize(HWND dialog, config::SceneData& scene)
{
    const bool own = IsItemChecked(dialog, IDC_OWN_SIZE);
    const bool random = own && IsItemChecked(dialog, IDC_RANDOM_SIZE);
    SetBit(scene, config::RANDOM_SIZE, random);
    if (!own || random) {
        scene.size.width = -1;
        scene.size.height = -1;
        return true;
    }
    for (const FieldRule* rule : {&kSceneWidthField, &kSceneHeightField}) {
        std::int32_t& cells = rule == &kSceneWidthField ? scene.size.width : scene.size.height;
        if (!FieldPasses(dialog, *rule, CheckCells(*rule, ItemText(dialog, rule->control_id), cells)))
            return false;
    }
    return true;
}

LRESULT ListSelection(HWND dialog, int id)
{
    return SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
}

void StoreInit(HWND dialog, config::SceneData& scene)
{
    const bool own = IsItemChecked(dialog, IDC_OWN_INIT);
    const bool random = own && IsItemChecked(dialog, IDC_RANDOM_INIT);
    SetBit(scene, config::RANDOM_INIT, random);
    scene.init = own && !random ? static_cast<std::int16_t>(ListSelection(dialog, IDC_INIT_LIST)) : 0;
}

void StoreTiling(HWND dialog, config::SceneData& scene)
{
    const bool own = IsItemChecked(dialog, IDC_OWN_TILING);
    const bool random = own && IsItemChecked(dialog, IDC_RANDOM_TILING);
    SetBit(scene, config::RANDOM_TILING, random);
    if (!own || random) {
        scene.tilling = 0;
        return;
    }
    // tilling is unsigned: an empty list would store 65535, so it keeps its value.
    const LRESULT selected = ListSelection(dialog, IDC_TILING_LIST);
    if (selected >= 0)
        scene.tilling = static_cast<std::uint16_t>(selected);
}

void StoreProcessing(HWND dialog, config::SceneData& scene)
{
    std::uint16_t proc = scene.proc;
    proc = static_cast<std::uint16_t>(IsItemChecked(dialog, IDC_PROC_NOISE) ? proc | config::PROC_NOISE : proc & ~config::PROC_NOISE);
    proc = static_cast<std::uint16_t>(IsItemChecked(dialog, IDC_PROC_BLUR) ? proc | config::PROC_BLUR : proc & ~config::PROC_BLUR);
    scene.proc = proc;
}

} // namespace

void LoadSceneControls(HWND dialog)
{
    WeftLog().Print(LOG_INFO, L"> シーン個別コントール設定");
    SetTextLimit(dialog, IDC_SCENE_TIME, TextLimit(kSceneTimeField));
    SetTextLimit(dialog, IDC_SCENE_WIDTH, TextLimit(kSceneWidthField));
    SetTextLimit(dialog, IDC_SCENE_HEIGHT, TextLimit(kSceneHeightField));
    const config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    LoadTime(dialog, *scene);
    LoadSize(dialog, *scene);
    LoadInit(dialog, *scene);
    LoadTiling(dialog, *scene);
    LoadHue(dialog, *scene);
    CheckItem(dialog, IDC_PROC_NOISE, (scene->proc & config::PROC_NOISE) != 0);
    CheckItem(dialog, IDC_PROC_BLUR, (scene->proc & config::PROC_BLUR) != 0);
}

bool StoreSceneControls(HWND dialog)
{
    WeftLog().Print(LOG_INFO, L"> シーン個別コントロールデータ取得");
    config::SceneData* scene = SelectedScene();
    if (!scene)
        return true;
    if (!StoreTime(dialog, *scene) || !StoreSize(dialog, *scene))
        return false;
    StoreInit(dialog, *scene);
    StoreTiling(dialog, *scene);
    SetBit(*scene, config::RANDOM_HUE, IsItemChecked(dialog, IDC_OWN_HUE) && IsItemChecked(dialog, IDC_RANDOM_HUE));
    StoreProcessing(dialog, *scene);
    return true;
}

void OnOwnSettingBox(HWND dialog, int id)
{
    const config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    const Group group = GroupOfBox(id);
    const GroupControls controls = ControlsOf(group);
    const bool checked = IsItemChecked(dialog, id);
    EnableItem(dialog, controls.random, checked);
    if (group == Group::kHue) {
        EnableItem(dialog, IDC_COLORS, checked);
        return;
    }
    if (checked && !HasBit(*scene, controls.random_bit))
        ShowGroupValue(dialog, group, *scene);
    else
        ClearGroupValue(dialog, group);
}

void OnRandomBox(HWND dialog, int id)
{
    const config::SceneData* scene = SelectedScene();
    if (!scene)
        return;
    const Group group = GroupOfBox(id);
    if (IsItemChecked(dialog, id))
        ClearGroupValue(dialog, group);
    else
        ShowGroupValue(dialog, group, *scene);
    StoreSceneControls(dialog);
}

} // namespace ui::win32
