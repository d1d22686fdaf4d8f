#pragma once

// How a POSIX program is told to stop (SIGTERM, as XScreenSaver does, SIGINT
// and SIGHUP): outside its loop a signal ends the program at once; while the
// loop runs, the signal is noted and wakes the loop's wait, so the loop ends
// in good order. Should the program not get there (a stalled display
// server, say), the system ends it a few seconds after the signal.
namespace platform {

// The three signals end the program, whatever the parent process had them
// do (ignored, blocked).
void DefaultStopSignals();

class StopSignals {
public:
    // Catches the three signals until destroyed.
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // False when the signals cannot be watched.
    bool ok() const { return ok_; }

    struct Wake {
        bool readable;  // fd has data
        int signal;     // the stop signal that came, 0 for none
        bool failed;    // the wait itself failed
    };
    // Waits until fd is readable, a stop signal has come or timeout_ms have
    // passed (-1: no limit).
    Wake Wait(int fd, int timeout_ms);

    // How long the program may take to end after a signal.
    static constexpr unsigned kGraceSeconds = 10;

private:
    bool ok_ = false;
};

// For a program without a loop of its own (tessel-render): a request to stop
// is noted instead of ending the program at once, so that it can stop at its
// next step and remove what it made. A second request ends it at once; a
// blocking call (opening a pipe) is interrupted.
void NoteStopSignals();
bool StopSignalled();
// Ends the program as the noted signal would have.
[[noreturn]] void EndAsSignalled();

} // namespace platform
