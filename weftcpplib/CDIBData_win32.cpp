#include <windows.h>

#include "weftcpplib/CDIBData.h"
#include "weftcpplib/FaultReport.h"

namespace weftcpplib {

bool CDIBData::SetDIBits(HDC dc, HBITMAP bitmap) const
{
    const int lines = ::SetDIBits(dc, bitmap, 0, static_cast<UINT>(Height()), pixels_.get(), &header_,
                                  DIB_RGB_COLORS);
    if (lines != 0)
        return true;
    const DWORD error = GetLastError();
    wchar_t text[kErrorTextUnits];
    FormatErrorText(error, text);
    ReportFault(L"weftcpplib::CDIBData::SetDIBits", text);
    return false;
}

} // namespace weftcpplib
