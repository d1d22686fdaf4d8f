#include "weftcpplib/CDIBData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

#include "weftcpplib/FaultReport.h"

namespace weftcpplib {
namespace {

// One axis of a PutTile copy. All in 64 bits: positions and sizes may be any
// 32-bit values, and w + x or 1 - x must not wrap.
struct Span {
    std::int64_t dest;
    std::int64_t src;
    std::int64_t length;
};

Span ClipSpan(std::int64_t pos, std::int64_t size, std::int64_t dest_extent, std::int64_t src_extent)
{
    Span s{};
    if (pos < 0) {
        s.dest = 0;
        s.src = 1 - pos;
        s.length = std::min(dest_extent, size + pos);
    } else {
        s.dest = pos;
        s.src = 1;
        s.length = std::min(size, dest_extent - pos);
    }
    s.length = std::min(s.length, src_extent - s.src);
    return s;
}

} // namespace

CDIBData::CDIBData() : header_{} {}

void CDIBData::Create(std::int32_t width, std::int32_t height)
{
    const std::uint64_t cols = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(width)));
    const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(height)));
    const std::uint64_t count = cols * rows;
    // The 32-bit program cannot address more, and the same limit holds on every
    // build. Compared by division: 2^62 pixels times four bytes wraps 64 bits.
    if (count > std::numeric_limits<std::uint32_t>::max() / sizeof(std::uint32_t))
        throw std::bad_alloc();
    // Allocated before anything changes, so a failure leaves the old image whole.
    std::unique_ptr<std::uint32_t[]> fresh(count ? new std::uint32_t[count]() : nullptr);

    pixels_ = std::move(fresh);
    count_ = static_cast<std::int32_t>(count);
    header_ = DibHeader{};
    auto& h = header_.bmiHeader;
    h.biSize = sizeof(header_.bmiHeader);
    h.biWidth = width;
    h.biHeight = height;
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = kDibRgb;
    h.biSizeImage = static_cast<std::uint32_t>(static_cast<std::int64_t>(width) * height * 4);
}

bool CDIBData::SetDIBits(const RowCopy& copy) const
{
    std::uint32_t error = 0;
    if (copy(header_, pixels_.get(), Height(), error))
        return true;
    wchar_t text[kErrorTextUnits];
    FormatErrorText(error, text);
    ReportFault(L"weftcpplib::CDIBData::SetDIBits", text);
    return false;
}

void CDIBData::Fill(std::uint32_t pixel)
{
    std::fill_n(pixels_.get(), count_, pixel);
}

bool CDIBData::PutTile(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, const CDIBData& source)
{
    if (!pixels_ || !source.pixels_)
        return false;
    const Span cols = ClipSpan(x, w, Width(), source.Width());
    const Span rows = ClipSpan(y, h, Height(), source.Height());
    if (cols.length <= 0 || rows.length <= 0)
        return true;

    // Both widths are positive here, else a length would be negative.
    const std::size_t dest_stride = static_cast<std::size_t>(Width());
    const std::size_t src_stride = static_cast<std::size_t>(source.Width());
    std::uint32_t* dest = pixels_.get() + static_cast<std::size_t>(rows.dest) * dest_stride +
                          static_cast<std::size_t>(cols.dest);
    const std::uint32_t* src = source.pixels_.get() + static_cast<std::size_t>(rows.src) * src_stride +
                               static_cast<std::size_t>(cols.src);
    const std::size_t bytes = static_cast<std::size_t>(cols.length) * sizeof(std::uint32_t);
    // The source may be this very image: a copy to lower rows then takes the
    // last row first, so that no row is read after it has been written.
    const bool backwards = &source == this && rows.dest > rows.src;
    for (std::int64_t i = 0; i < rows.length; ++i) {
        const auto k = static_cast<std::size_t>(backwards ? rows.length - 1 - i : i);
        std::memmove(dest + k * dest_stride, src + k * src_stride, bytes);
    }
    return true;
}

std::unique_ptr<CDIBData> MakeImage(std::int32_t width, std::int32_t height)
{
    auto image = std::make_unique<CDIBData>();
    image->Create(width, height);
    return image;
}

} // namespace weftcpplib
