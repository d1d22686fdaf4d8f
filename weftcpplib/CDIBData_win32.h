#pragma once
#include <windows.h>

namespace weftcpplib {

using DibHeader = ::BITMAPINFO;
inline constexpr unsigned long kDibRgb = BI_RGB;

} // namespace weftcpplib
