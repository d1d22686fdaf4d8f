#include "weftcpplib/LogLine.h"

#include <atomic>

#include "weftcpplib/WideFormat.h"

namespace weftcpplib {
namespace {

std::atomic<LogClock> log_clock{&platform::LocalNow};

bool IsHighSurrogate(wchar_t unit)
{
    return sizeof(wchar_t) == 2 && unit >= 0xD800 && unit < 0xDC00;
}

} // namespace

std::size_t FormatLogLine(wchar_t* buffer, std::size_t units, const platform::LocalTime& time, const wchar_t* message)
{
    if (units < 3) {
        if (units > 0)
            buffer[0] = 0;
        return 0;
    }
    std::size_t length = FormatWide(buffer, units, L"%04d/%02d/%02d %02d:%02d:%02d.%03d %ls\r\n", time.year,
                                    time.month, time.day, time.hour, time.minute, time.second,
                                    time.millisecond, message ? message : L"");
    if (length >= 2 && buffer[length - 2] == L'\r' && buffer[length - 1] == L'\n')
        return length;

    // Cut short: end the line anyway, without leaving half a surrogate pair.
    length = length < 2 ? 0 : length - 2;
    if (length > 0 && IsHighSurrogate(buffer[length - 1]))
        --length;
    buffer[length++] = L'\r';
    buffer[length++] = L'\n';
    buffer[length] = 0;
    return length;
}

LogClock SetLogClock(LogClock clock)
{
    return log_clock.exchange(clock ? clock : &platform::LocalNow);
}

platform::LocalTime LogTimeNow()
{
    return log_clock.load()();
}

} // namespace weftcpplib
