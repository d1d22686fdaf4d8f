#include "ui/win32/UiLanguage.h"

#include <cstdarg>

#include "ui/win32/DialogControls.h"
#include "weftcpplib/WideFormat.h"

namespace ui::win32 {
namespace {

// A resource's bytes in exactly that language, or null.
const void* FindResourceData(LPCWSTR type, LPCWSTR name, LANGID language, DWORD* size = nullptr)
{
    const HMODULE module = ResourceModule();
    const HRSRC found = FindResourceExW(module, type, name, language);
    if (!found)
        return nullptr;
    const HGLOBAL loaded = LoadResource(module, found);
    if (size)
        *size = SizeofResource(module, found);
    return loaded ? LockResource(loaded) : nullptr;
}

} // namespace

LANGID UiLanguageFor(LANGID display_language)
{
    return PRIMARYLANGID(display_language) == LANG_JAPANESE ? kJapanese : kEnglish;
}

LANGID UiLanguage()
{
    return UiLanguageFor(GetUserDefaultUILanguage());
}

const DLGTEMPLATE* DialogTemplate(int id, LANGID language)
{
    return static_cast<const DLGTEMPLATE*>(FindResourceData(RT_DIALOG, MAKEINTRESOURCEW(id), language));
}

INT_PTR ShowDialog(HWND owner, int id, DLGPROC proc, LPARAM param)
{
    const DLGTEMPLATE* dialog = DialogTemplate(id);
    if (!dialog)
        return -1;
    return DialogBoxIndirectParamW(ResourceModule(), dialog, owner, proc, param);
}

HWND CreateDialogWindow(HWND owner, int id, DLGPROC proc, LPARAM param)
{
    const DLGTEMPLATE* dialog = DialogTemplate(id);
    if (!dialog)
        return nullptr;
    return CreateDialogIndirectParamW(ResourceModule(), dialog, owner, proc, param);
}

std::wstring UiText(UINT id, LANGID language)
{
    // Strings are stored sixteen to a block: each a length and its units.
    DWORD size = 0;
    const auto* units = static_cast<const WCHAR*>(
        FindResourceData(RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language, &size));
    if (!units)
        return {};
    const WCHAR* end = units + size / sizeof(WCHAR);
    for (UINT skip = id % 16; skip > 0 && units < end; --skip)
        units += 1 + *units;
    if (units >= end || units + 1 + *units > end)
        return {};
    return std::wstring(units + 1, *units);
}

std::wstring UiTextF(UINT id, ...)
{
    const std::wstring format = UiText(id);
    wchar_t buffer[kTextUnits];
    va_list args;
    va_start(args, id);
    weftcpplib::FormatWideV(buffer, kTextUnits, format.c_str(), args);
    va_end(args);
    return buffer;
}

int ShowMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    return MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

} // namespace ui::win32
