#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "weftcpplib/DibHeader.h"

namespace weftcpplib {

// A 32-bit image (pixels 0x00RRGGBB) with the header the platform needs to
// copy it into a device bitmap. Rows are stored bottom-up as the header's
// positive height says: storage row 0 is shown at the bottom. Pixel (column
// c, storage row r) is element r * width + c; rows have no padding.
class CDIBData {
public:
    CDIBData();
    CDIBData(const CDIBData&) = delete;
    CDIBData& operator=(const CDIBData&) = delete;
    virtual ~CDIBData() = default;

    // Replaces the pixels by |width| x |height| black ones. Throws
    // std::bad_alloc, leaving the image as it was, when the memory is not
    // there or the size in bytes needs more than 32 bits.
    void Create(std::int32_t width, std::int32_t height);

    void Fill(std::uint32_t pixel);

    // Copies the w x h block of `source` that starts at its column 1, row 1
    // (past its border) to column x, storage row y, clipped to both images.
    // False only when either image has no pixels.
    bool PutTile(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const CDIBData& source);

    // A one-pixel line; y counts from the top of the shown image. False when
    // the line misses the image or has no length.
    bool DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::uint32_t pixel);

    // The platform's copy of every row into a device bitmap (SetDIBits on
    // Windows, see platform/win32/DeviceBitmap.h); on failure false with the
    // system's error code.
    using RowCopy = std::function<bool(const DibHeader& header, const std::uint32_t* pixels, std::int32_t lines,
                                       std::uint32_t& error)>;

    // Copies every row through `copy`; reports the failure and returns false
    // when the system refuses.
    bool SetDIBits(const RowCopy& copy) const;

    std::int32_t Width() const { return header_.bmiHeader.biWidth; }
    std::int32_t Height() const { return header_.bmiHeader.biHeight; }
    std::int32_t Count() const { return count_; }
    std::uint32_t* Pixels() { return pixels_.get(); }
    const std::uint32_t* Pixels() const { return pixels_.get(); }
    const DibHeader& Header() const { return header_; }

private:
    DibHeader header_;
    std::unique_ptr<std::uint32_t[]> pixels_;
    std::int32_t count_ = 0;
};

// Rows of 32-bit pixels that tiles are put into, counted as a CDIBData stores
// them (row 0 is shown at the bottom); `step` pixels lie from one row's start
// to the next: negative for memory that holds the picture top-down, as a
// window system's shared image does.
struct ImageRows {
    std::uint32_t* row0;
    std::int32_t width;
    std::int32_t height;
    std::ptrdiff_t step;
};

ImageRows RowsOf(CDIBData& image);

// CDIBData::PutTile into rows of memory that are not the source's.
bool PutTile(const ImageRows& rows, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             const CDIBData& source);

// A new image of the given size under a unique owner.
std::unique_ptr<CDIBData> MakeImage(std::int32_t width, std::int32_t height);

} // namespace weftcpplib
