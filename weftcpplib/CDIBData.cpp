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

// The source may be the very memory written: a copy to higher rows then
// takes the last row first, so that no row is read after it was written.
bool PutRows(const ImageRows& rows, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             const CDIBData& source, bool same_memory)
{
    if (!rows.row0 || !source.Pixels())
        return false;
    const Span cols = ClipSpan(x, w, rows.width, source.Width());
    const Span lines = ClipSpan(y, h, rows.height, source.Height());
    if (cols.length <= 0 || lines.length <= 0)
        return true;

    // Both widths are positive here, else a length would be negative.
    const auto src_stride = static_cast<std::ptrdiff_t>(source.Width());
    std::uint32_t* dest = rows.row0 + static_cast<std::ptrdiff_t>(lines.dest) * rows.step + static_cast<std::ptrdiff_t>(cols.dest);
    const std::uint32_t* src = source.Pixels() + static_cast<std::ptrdiff_t>(lines.src) * src_stride + static_cast<std::ptrdiff_t>(cols.src);
    const std::size_t bytes = static_cast<std::size_t>(cols.length) * sizeof(std::uint32_t);
    const bool backwards = same_memory && lines.dest > lines.src;
    for (std::int64_t i = 0; i < lines.length; ++i) {
        const auto k = static_cast<std::ptrdiff_t>(backwards ? lines.length - 1 - i : i);
        std::memmove(dest + k * rows.step, src + k * src_stride, bytes);
    }
    return true;
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
    if (!pixels_)
        return false;
    return PutRows(RowsOf(*this), x, y, w, h, source, &source == this);
}

ImageRows RowsOf(CDIBData& image)
{
    return {image.Pixels(), image.Width(), image.Height(), image.Width()};
}

bool PutTile(const ImageRows& rows, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
             const CDIBData& source)
{
    return PutRows(rows, x, y, w, h, source, false);
}

std::unique_ptr<CDIBData> MakeImage(std::int32_t width, std::int32_t height)
{
    auto image = std::make_unique<CDIBData>();
    image->Create(width, height);
    return image;
}

} // namespace weftcpplib
