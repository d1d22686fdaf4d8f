#include "weftcpplib/WeftException.h"

#include <cstdarg>

#include "weftcpplib/WideFormat.h"

namespace weftcpplib {
namespace {
wchar_t shared_message[WeftExceptionF::kBufferUnits];
}

WeftExceptionF::WeftExceptionF(const wchar_t* format, ...) : WeftException(shared_message)
{
    va_list args;
    va_start(args, format);
    FormatWideV(shared_message, kBufferUnits, format, args);
    va_end(args);
}

} // namespace weftcpplib
