#pragma once
#include <cstdint>

namespace platform {

// One source of uniform 32-bit numbers for the whole program. The default is
// the system's cryptographically strong generator; tests install their own
// so that patterns and the scheduler can be checked deterministically.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual std::uint32_t Next() = 0;
};

RandomSource& SecureRandomSource();

// The source in force; never null.
RandomSource& CurrentRandomSource();

// Installs a source (not owned); nullptr restores the secure default.
void SetRandomSource(RandomSource* source);

inline std::uint32_t Random32() { return CurrentRandomSource().Next(); }

// Installs a source for the lifetime of the guard.
class ScopedRandomSource {
public:
    explicit ScopedRandomSource(RandomSource& source) { SetRandomSource(&source); }
    ~ScopedRandomSource() { SetRandomSource(nullptr); }
    ScopedRandomSource(const ScopedRandomSource&) = delete;
    ScopedRandomSource& operator=(const ScopedRandomSource&) = delete;
};

} // namespace platform
