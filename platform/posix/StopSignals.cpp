#include "platform/posix/StopSignals.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace platform {
namespace {

volatile std::sig_atomic_t noted = 0;

void Note(int signal)
{
    noted = signal;
}

} // namespace

void NoteStopSignals()
{
    struct sigaction action {};
    action.sa_handler = Note;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a call waiting for a pipe's reader gives up.
    action.sa_flags = SA_RESETHAND;
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

bool StopSignalled()
{
    return noted != 0;
}

void EndAsSignalled()
{
    const int signal = noted;
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

} // namespace platform
