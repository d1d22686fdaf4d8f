#include "platform/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace platform {
namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The handler's state: the signal that came and the pipe that wakes the
// wait. One watcher per process.
volatile sig_atomic_t pending_signal = 0;
int wake_pipe[2] = {-1, -1};

void OnStopSignal(int signal)
{
    const int saved = errno;
    pending_signal = signal;
    const char byte = 0;
    (void)!write(wake_pipe[1], &byte, 1);
    // A loop that never comes back to its wait must not outlive the signal.
    alarm(StopSignals::kGraceSeconds);
    errno = saved;
}

void SetAction(void (*handler)(int))
{
    struct sigaction action{};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : kStopSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

void DefaultStopSignals()
{
    SetAction(SIG_DFL);
    signal(SIGALRM, SIG_DFL);
    sigset_t signals;
    sigemptyset(&signals);
    for (const int signal : kStopSignals)
        sigaddset(&signals, signal);
    sigaddset(&signals, SIGALRM);
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
}

StopSignals::StopSignals()
{
    if (pipe2(wake_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    pending_signal = 0;
    DefaultStopSignals();
    SetAction(OnStopSignal);
    ok_ = true;
}

StopSignals::~StopSignals()
{
    if (!ok_)
        return;
    SetAction(SIG_DFL);
    close(wake_pipe[0]);
    close(wake_pipe[1]);
    wake_pipe[0] = wake_pipe[1] = -1;
}

StopSignals::Wake StopSignals::Wait(int fd, int timeout_ms)
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {wake_pipe[0], POLLIN, 0}};
    Wake wake{false, 0, false};
    if (pending_signal == 0 && poll(fds, 2, timeout_ms) < 0 && errno != EINTR)
        wake.failed = true;
    if (fds[1].revents & POLLIN) {
        char bytes[16];
        while (read(wake_pipe[0], bytes, sizeof bytes) > 0) {
        }
    }
    wake.readable = (fds[0].revents & POLLIN) != 0;
    wake.signal = pending_signal;
    return wake;
}

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
    for (const int signal : kStopSignals)
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
