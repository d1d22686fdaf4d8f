#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/win32/GdiHandles.h"

namespace platform::win32 {

// SetDIBits of `lines` rows of pixels that `header` (laid out as BITMAPINFO)
// describes; on failure false with the system's error code.
bool CopyRowsToBitmap(HDC dc, HBITMAP bitmap, const void* header, const void* pixels, std::uint32_t lines,
                      std::uint32_t& error);

// The row copy an image's SetDIBits takes, into one device bitmap.
inline auto RowsInto(HDC dc, HBITMAP bitmap)
{
    return [dc, bitmap](const auto& header, const std::uint32_t* pixels, std::int32_t lines, std::uint32_t& error) {
        return CopyRowsToBitmap(dc, bitmap, &header, pixels, static_cast<std::uint32_t>(lines), error);
    };
}

// An image put on a device: a bitmap compatible with `dc` holding the
// image's rows, selected into a memory device context to blit from. Every
// object is released with it, on every path. On failure, failed() names the
// call that failed and GetLastError still holds its code (an image reports
// its own refused copy).
class DeviceBitmap {
public:
    enum class Step { None, MemoryDC, Bitmap, Rows };

    template <typename Image>
    DeviceBitmap(HDC dc, const Image& image)
        : memory_(dc),
          bitmap_(memory_.get() ? CreateCompatibleBitmap(dc, image.Width(), image.Height()) : nullptr)
    {
        if (!memory_.get())
            failed_ = Step::MemoryDC;
        else if (!bitmap_.get())
            failed_ = Step::Bitmap;
        else if (!image.SetDIBits(RowsInto(memory_.get(), bitmap_.get())))
            failed_ = Step::Rows;
        else
            previous_ = SelectObject(memory_.get(), bitmap_.get());
    }
    // The bitmap leaves the memory context before either is deleted.
    ~DeviceBitmap()
    {
        if (previous_)
            SelectObject(memory_.get(), previous_);
    }
    DeviceBitmap(const DeviceBitmap&) = delete;
    DeviceBitmap& operator=(const DeviceBitmap&) = delete;

    Step failed() const { return failed_; }
    // The memory device context holding the image, once nothing failed.
    HDC memory() const { return memory_.get(); }

private:
    MemoryDC memory_;
    Bitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
    Step failed_ = Step::None;
};

} // namespace platform::win32
