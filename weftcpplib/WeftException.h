#pragma once

namespace weftcpplib {

// Carries a message it does not own; copying copies the pointer.
class WeftException {
public:
    explicit WeftException(const wchar_t* message) : message_(message) {}
    virtual const wchar_t* Message() const { return message_; }

protected:
    const wchar_t* message_;
};

// Formats its message (printf-style, %ls for wide strings) into one
// process-wide buffer of 256 units: every instance shows the text of the one
// constructed last. Longer messages are cut.
class WeftExceptionF : public WeftException {
public:
    explicit WeftExceptionF(const wchar_t* format, ...);

    static constexpr unsigned kBufferUnits = 256;
};

} // namespace weftcpplib
