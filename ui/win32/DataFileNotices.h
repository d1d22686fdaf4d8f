#pragma once
#include <string>
#include <vector>

#include "config/DataFilePlaces.h"

namespace ui::win32 {

// What the settings dialog tells the user about the data file, in the
// user's language.

// The file could not be read (or broke off): which file, why, and where its
// original bytes were kept (or that it is left as it was).
std::wstring UnreadFileNotice(const config::UnreadFile& file);

// Nothing could be saved: each place tried, with the system's error text.
std::wstring SaveFailureNotice(const std::vector<config::WriteFailure>& failures);

} // namespace ui::win32
