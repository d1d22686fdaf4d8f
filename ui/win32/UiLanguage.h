#pragma once
#include <windows.h>

#include <string>

// The one place that decides the language of everything the user reads:
// Japanese when the user's Windows display language is Japanese, English
// for every other language. Dialog templates, string-table texts and
// message boxes are taken in that language explicitly, never through the
// loader's own fallbacks, so the choice is the same on every Windows.
namespace ui::win32 {

inline constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
inline constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_NEUTRAL);

// The resource language for a user display language.
LANGID UiLanguageFor(LANGID display_language);
// The resource language for this user (GetUserDefaultUILanguage).
LANGID UiLanguage();

// A dialog template of the program in a language; null when it has none.
const DLGTEMPLATE* DialogTemplate(int id, LANGID language = UiLanguage());
// Modal and modeless dialogs from the template in the user's language.
INT_PTR ShowDialog(HWND owner, int id, DLGPROC proc, LPARAM param = 0);
HWND CreateDialogWindow(HWND owner, int id, DLGPROC proc, LPARAM param = 0);

// A string-table text in a language ("" when it has none).
std::wstring UiText(UINT id, LANGID language = UiLanguage());
// printf-style text from the string table (wide strings as %ls), formatted
// into a buffer of the dialogs' text size.
std::wstring UiTextF(UINT id, ...);

// A message box with a text already in the user's language. Its buttons
// are the system's own, in the display language as in every program:
// asking for another language's buttons fails where it is not installed.
int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type);

} // namespace ui::win32
