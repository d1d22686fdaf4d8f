#include "saver/PasswordGate.h"

namespace saver {

bool PasswordGate::Verify(PasswordPrompt& prompt)
{
    if (check_running_ || accepted_)
        return false;
    if (!prompt.HasVerifier()) {
        accepted_ = true;
        return true;
    }
    if (last_check_ms_ != kNever && prompt.NowMs() - last_check_ms_ < kPasswordRetryMs)
        return accepted_;

    check_running_ = true;
    prompt.DropPendingTimers();
    accepted_ = prompt.Ask();
    check_running_ = false;
    if (!accepted_)
        prompt.HideCursor();
    last_check_ms_ = prompt.NowMs();
    return accepted_;
}

} // namespace saver
