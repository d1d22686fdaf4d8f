#pragma once

// A request to stop from the terminal or the system (SIGINT, SIGTERM,
// SIGHUP), noted instead of ending the program at once, so that the program
// can stop at its next step and remove what it made. A second request ends
// it at once; a blocking call (opening a pipe) is interrupted.
namespace platform {

void NoteStopSignals();
bool StopSignalled();
// Ends the program as the noted signal would have.
[[noreturn]] void EndAsSignalled();

} // namespace platform
