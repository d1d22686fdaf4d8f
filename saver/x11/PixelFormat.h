#pragma once
#include <cstdint>

// Turning the frame's 0x00RRGGBB pixels into a TrueColor visual's pixel
// values, whatever its masks (BGR orders, 30-bit or 16-bit colour).
namespace saver::x11 {

struct ChannelMask {
    int shift; // lowest set bit of the mask
    int bits;  // number of set bits
};

ChannelMask DescribeMask(std::uint32_t mask);

class PixelConverter {
public:
    PixelConverter(std::uint32_t red_mask, std::uint32_t green_mask, std::uint32_t blue_mask);

    // True when the visual's pixels are the frame's own: no conversion.
    bool IsIdentity() const { return identity_; }

    std::uint32_t Convert(std::uint32_t rgb) const
    {
        return Place((rgb >> 16) & 0xFFu, red_) | Place((rgb >> 8) & 0xFFu, green_) | Place(rgb & 0xFFu, blue_);
    }

private:
    // An 8-bit component scaled to the channel's width: narrower channels
    // keep the high bits, wider ones repeat them.
    static std::uint32_t Place(std::uint32_t value, const ChannelMask& channel)
    {
        std::uint32_t scaled;
        if (channel.bits <= 8) {
            scaled = value >> (8 - channel.bits);
        } else {
            scaled = value << (channel.bits - 8);
            if (channel.bits < 16)
                scaled |= value >> (16 - channel.bits);
        }
        return scaled << channel.shift;
    }

    ChannelMask red_, green_, blue_;
    bool identity_;
};

} // namespace saver::x11
