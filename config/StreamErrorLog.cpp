#include "config/StreamErrorLog.h"

#include "weftcpplib/CWeftLogManager.h"

void LogStreamError(int line, const std::ios& stream)
{
    // The flags are shown with the values the log has always used (hard error
    // 4, end of file 1, failed operation 2), whatever the library's bits are.
    weftcpplib::WeftLog().Print(weftcpplib::LOG_ERROR, L"%ls(%d) badbit(%d) eofbit(%d) failbit(%d)",
                                L"WeftConfig.cpp", line, stream.bad() ? 4 : 0, stream.eof() ? 1 : 0,
                                stream.rdstate() & std::ios::failbit ? 2 : 0);
}
