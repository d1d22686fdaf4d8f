#include "platform/Utf16.h"

#include <cstdint>
#include <vector>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Splits wide text into code points (a no-op on UTF-32 platforms).
std::u32string CodePoints(std::wstring_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        if constexpr (sizeof(wchar_t) == 2) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
                const char32_t low = static_cast<char16_t>(text[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        out.push_back(c);
    }
    return out;
}

void PushWide(char32_t c, std::wstring& out)
{
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
            return;
        }
    }
    out.push_back(static_cast<wchar_t>(c));
}

std::size_t Utf16Length(char32_t c)
{
    return c >= 0x10000 && c <= 0x10FFFF ? 2 : 1;
}

void PushUtf16(char32_t c, std::vector<char16_t>& out)
{
    if (c > 0x10FFFF)
        c = kReplacement;
    if (c >= 0x10000) {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(c));
    }
}

} // namespace

std::wstring WideFromUtf16(const utf16_unit* units, std::size_t max_units)
{
    std::wstring out;
    for (std::size_t i = 0; i < max_units && units[i] != 0; ++i) {
        char32_t c = static_cast<char16_t>(units[i]);
        if constexpr (sizeof(wchar_t) == 4) {
            if (c >= 0xD800 && c < 0xDC00 && i + 1 < max_units) {
                const char32_t low = static_cast<char16_t>(units[i + 1]);
                if (low >= 0xDC00 && low < 0xE000) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                    ++i;
                }
            }
        }
        PushWide(c, out);
    }
    return out;
}

void WideToUtf16Field(std::wstring_view text, utf16_unit* field, std::size_t units)
{
    if (units == 0)
        return;
    std::vector<char16_t> encoded;
    for (char32_t c : CodePoints(text)) {
        if (c == 0 || encoded.size() + Utf16Length(c) > units - 1)
            break;
        PushUtf16(c, encoded);
    }
    std::size_t i = 0;
    for (; i < encoded.size(); ++i)
        field[i] = static_cast<utf16_unit>(encoded[i]);
    for (; i < units; ++i)
        field[i] = 0;
}

void AppendUtf16LE(std::wstring_view text, std::string& bytes)
{
    std::vector<char16_t> encoded;
    for (char32_t c : CodePoints(text))
        PushUtf16(c, encoded);
    for (char16_t u : encoded) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
    }
}

std::wstring WideFromUtf8(std::string_view text)
{
    std::wstring out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        int extra = b0 < 0x80 ? 0 : (b0 >> 5) == 6 ? 1 : (b0 >> 4) == 14 ? 2 : (b0 >> 3) == 30 ? 3 : -1;
        char32_t c = extra == 0 ? b0 : extra == 1 ? (b0 & 0x1F) : extra == 2 ? (b0 & 0x0F) : (b0 & 0x07);
        bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((b >> 6) != 2)
                valid = false;
            else
                c = (c << 6) | (b & 0x3F);
        }
        if (!valid) {
            PushWide(kReplacement, out);
            ++i;
            continue;
        }
        PushWide(c, out);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Utf8FromWide(std::wstring_view text)
{
    std::string out;
    for (char32_t c : CodePoints(text)) {
        if (c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
            c = kReplacement;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace platform
