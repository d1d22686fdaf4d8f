#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "config/SceneData.h"
#include "config/WeftConfig.h"
#include "ui/SettingsFields.h"

// Internals of the settings dialog, shared by its source files.
namespace ui::win32 {

// The copies the dialog edits. They live for the whole process and are
// reloaded from the model at every opening; nothing reaches the model
// before OK.
struct WorkingCopies {
    config::WeftConfig* model = nullptr;
    config::CommonSettings settings{};
    std::vector<config::SceneData> scenes;
    std::vector<config::SceneData*> scenario;
    std::wstring caption;  // the dialog's title, for message boxes
};

WorkingCopies& Working();

// The scene shown in the per-scene controls, or null when the list is empty.
config::SceneData* SelectedScene();

// Settings, scene list and scenario copied from the model.
void LoadWorkingCopies();
void RebuildScenario();

// Message box owned by the dialog, captioned with its title.
int ShowMessage(HWND dialog, const std::wstring& text, UINT type = MB_OK);
// Whether a checked edit box passed; if not, the focus moves to it and the
// user is told why.
bool FieldPasses(HWND dialog, const ui::FieldRule& rule, ui::FieldCheck check);

void RefreshAllControls(HWND dialog);
void RefillPlayList(HWND dialog);
void SelectPlayListEntry(HWND dialog, const config::SceneData& scene);

// Per-scene controls.
void LoadSceneControls(HWND dialog);
bool StoreSceneControls(HWND dialog);
void OnOwnSettingBox(HWND dialog, int id);
void OnRandomBox(HWND dialog, int id);

// Scene and play-list commands.
void OnSceneListChange(HWND dialog);
void OnPlayListChange(HWND dialog);
void OnRename(HWND dialog);
void OnColors(HWND dialog);
void OnAddToPlayList(HWND dialog);
void OnRemoveFromPlayList(HWND dialog);
void OnMoveUp(HWND dialog);
void OnMoveDown(HWND dialog);

} // namespace ui::win32
