#pragma once
#include <cstdint>
#include <mutex>

#include "weftcpplib/weft2darray.h"

namespace core {

// The automaton's state: two equally sized cell grids (the border ring
// included), the rule of the scene being played, its initial pattern and its
// tiling mode. The caller sets param, init and tilling directly; readers use
// current and alive directly. Every cell holds 0 (dead) to 255.
class CAEngine {
public:
    CAEngine();
    virtual ~CAEngine() = default;
    CAEngine(const CAEngine&) = delete;
    CAEngine& operator=(const CAEngine&) = delete;

    // Resizes both grids when the pair differs from the stored one. Throws
    // std::bad_alloc (a negative size included) and then leaves the engine
    // as it was.
    void SetSize(std::int32_t new_width, std::int32_t new_height);

    // Draws the pattern chosen by init as generation 0 and makes it current.
    void Initialize();

    // Computes the next generation, sets alive and makes it current.
    void Step();

    std::mutex lock;
    std::int32_t width = 130;
    std::int32_t height = 130;
    weftcpplib::weft2dmapper<short> current;
    weftcpplib::weft2dmapper<short> work;
    bool alive = false;
    std::int16_t param[3] = {91, 94, 1};
    std::int16_t init = 0;
    std::uint16_t tilling = 0;

private:
    void Publish() noexcept { current.swap(work); }
};

} // namespace core
