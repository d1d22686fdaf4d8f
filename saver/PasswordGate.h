#pragma once
#include <cstdint>

// The older Windows family asks for the screen-saver password before the
// saver may close. The gate decides when to prompt; the host performs it.
namespace saver {

inline constexpr std::uint32_t kPasswordRetryMs = 200;

class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    virtual bool HasVerifier() const = 0;
    virtual std::uint32_t NowMs() = 0;
    // Ticks queued while the prompt was up would draw over it.
    virtual void DropPendingTimers() = 0;
    virtual bool Ask() = 0;
    virtual void HideCursor() = 0;
};

class PasswordGate {
public:
    // True when the saver may close. Prompts at most once per retry interval
    // and never while a prompt is already up.
    bool Verify(PasswordPrompt& prompt);

    bool accepted() const { return accepted_; }
    bool check_running() const { return check_running_; }
    void Accept() { accepted_ = true; }

private:
    static constexpr std::uint32_t kNever = 0xFFFFFFFFu;

    bool accepted_ = false;
    bool check_running_ = false;
    std::uint32_t last_check_ms_ = kNever;
};

} // namespace saver
