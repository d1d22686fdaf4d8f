#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win32/DeviceBitmap.h"
#include "weftcpplib/CDIBData.h"
#include "weftcpplib/FaultReport.h"

namespace {

struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

TEST(DeviceBitmap, SetDIBitsCopiesEveryRow)
{
    const std::int32_t w = 37, h = 23;
    auto image = weftcpplib::MakeImage(w, h);
    for (std::int32_t i = 0; i < image->Count(); ++i)
        image->Pixels()[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;

    MemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_NE(dc, nullptr);
    // A 32-bit DIB section needs no display and keeps the pixels exactly.
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(dc.get(), reinterpret_cast<const BITMAPINFO*>(&image->Header()), DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_NE(bitmap, nullptr);

    ASSERT_TRUE(image->SetDIBits(platform::win32::RowsInto(dc.get(), bitmap.get())));

    BITMAPINFO info{};
    std::memcpy(&info, &image->Header(), sizeof info);
    std::vector<std::uint32_t> back(static_cast<std::size_t>(w * h), 0xFFFFFFFFu);
    ASSERT_EQ(GetDIBits(dc.get(), bitmap.get(), 0, h, back.data(), &info, DIB_RGB_COLORS), h);
    for (std::int32_t i = 0; i < w * h; ++i)
        ASSERT_EQ(back[i] & 0x00FFFFFFu, image->Pixels()[i]) << i;
}

TEST(DeviceBitmap, RefusedCopyIsReportedAndFalse)
{
    auto image = weftcpplib::MakeImage(4, 4);
    MemoryDc dc(CreateCompatibleDC(nullptr));
    testing::internal::CaptureStderr();
    const bool copied = image->SetDIBits(platform::win32::RowsInto(dc.get(), nullptr));
    const std::string report = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(copied);
    EXPECT_NE(report.find("weftcpplib : weftcpplib::CDIBData::SetDIBits"), std::string::npos) << report;
}

TEST(DeviceBitmap, ErrorTwoCarriesTheSystemText)
{
    wchar_t* message = nullptr;
    ASSERT_NE(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
                                 FORMAT_MESSAGE_ALLOCATE_BUFFER,
                             nullptr, 2, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr),
              0u);
    const std::wstring system = message;
    LocalFree(message);

    wchar_t text[weftcpplib::kErrorTextUnits];
    weftcpplib::FormatErrorText(2, text);
    EXPECT_EQ(std::wstring(text), (L"00000002(SYSTEM) " + system).substr(0, weftcpplib::kErrorTextUnits - 1));
}

} // namespace
