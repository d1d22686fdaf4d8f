#pragma once
#include <cstdint>
#include <string>

namespace ui {

// What the name dialog shows and hands back. The caller fills all four
// before opening; OK rewrites text and length, Cancel leaves them alone.
struct NameDialogValues {
    std::wstring title;
    std::wstring prompt;
    std::int32_t length = 0;  // text limit before, characters entered after
    std::wstring text;
};

NameDialogValues& NameDialogExchange();

} // namespace ui
