#include "saver/headless/ImageFiles.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <png.h>
#include <zlib.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include "platform/posix/OutputFiles.h"

namespace saver::headless {

static_assert(kMaxWebpExtent == WEBP_MAX_DIMENSION);

namespace {

// Keeps the system's code of a failed write for the message, instead of
// libpng's own line on stderr.
[[noreturn]] void KeepErrorCode(png_structp png, png_const_charp)
{
    *static_cast<int*>(png_get_error_ptr(png)) = errno;
    png_longjmp(png, 1);
}

// libpng reports errors by longjmp, so nothing here owns anything with a
// destructor; the file is closed by the caller. error: the system's code
// of a failure, 0 when there is none.
bool WriteRows(std::FILE* file, const std::uint32_t* pixels, int width, int height, bool fast, int& error)
{
    error = 0;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, KeepErrorCode, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (fast) {
        // The screens are mostly runs of one colour: run-length matching
        // with one filter finds them at a fraction of the default's time.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
        png_set_compression_level(png, 1);
        png_set_compression_strategy(png, Z_RLE);
    } else {
        png_set_compression_level(png, 9);
    }
    png_write_info(png, info);
    // The pixels hold blue, green, red and an unused byte.
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < height; ++y)
        png_write_row(png, reinterpret_cast<png_const_bytep>(pixels + static_cast<std::size_t>(y) * width));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::string CannotWrite(const std::string& path, std::uint32_t error)
{
    return "cannot write '" + path + "': " + std::strerror(static_cast<int>(error));
}

} // namespace

std::string WritePng(platform::OutputFile& file, const std::string& path, const std::uint32_t* pixels, int width,
                     int height, bool fast)
{
    if (int code = 0; !WriteRows(file.stream(), pixels, width, height, fast, code))
        return code ? CannotWrite(path, static_cast<std::uint32_t>(code)) : "cannot encode '" + path + "'";
    std::uint32_t error = 0;
    if (!file.Commit(error))
        return CannotWrite(path, error);
    return {};
}

std::string WritePng(const std::string& path, const std::uint32_t* pixels, int width, int height, bool fast)
{
    platform::OutputFile file;
    if (std::uint32_t error = 0; !file.Open(path, error))
        return CannotWrite(path, error);
    return WritePng(file, path, pixels, width, height, fast);
}

std::string WritePng(const std::string& path, const Picture& picture, bool fast)
{
    return WritePng(path, picture.pixels.data(), picture.width, picture.height, fast);
}

WebpAnimation::WebpAnimation(int width, int height, std::optional<int> quality) : quality_(quality)
{
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) {
        error_ = "the WebP library does not match its headers";
        return;
    }
    encoder_ = WebPAnimEncoderNew(width, height, &options);
    if (!encoder_)
        error_ = "cannot make a WebP animation of " + std::to_string(width) + "x" + std::to_string(height) +
                 " pixels (at most " + std::to_string(kMaxWebpExtent) + " each)";
}

WebpAnimation::~WebpAnimation()
{
    if (encoder_)
        WebPAnimEncoderDelete(encoder_);
}

std::string WebpAnimation::Add(const Picture& picture, std::uint32_t time_ms)
{
    return Add(picture.pixels.data(), picture.width, picture.height, time_ms);
}

std::string WebpAnimation::Add(const std::uint32_t* pixels, int width, int height, std::uint32_t time_ms)
{
    if (!encoder_)
        return error_;
    WebPConfig config;
    if (!WebPConfigInit(&config))
        return "the WebP library does not match its headers";
    config.lossless = quality_ ? 0 : 1;
    config.quality = quality_ ? static_cast<float>(*quality_) : 50.0f; // lossless: effort
    WebPPicture frame;
    if (!WebPPictureInit(&frame))
        return "the WebP library does not match its headers";
    frame.use_argb = 1;
    frame.width = width;
    frame.height = height;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(pixels);
    std::string error;
    if (!WebPPictureImportBGRX(&frame, bytes, width * 4))
        error = "out of memory for a WebP frame";
    else if (!WebPAnimEncoderAdd(encoder_, &frame, static_cast<int>(time_ms), &config))
        error = std::string("cannot add a WebP frame: ") + WebPAnimEncoderGetError(encoder_);
    WebPPictureFree(&frame);
    return error;
}

std::string WebpAnimation::Write(platform::OutputFile& file, const std::string& path, std::uint32_t end_ms)
{
    if (!encoder_)
        return error_;
    if (!WebPAnimEncoderAdd(encoder_, nullptr, static_cast<int>(end_ms), nullptr))
        return std::string("cannot end the WebP animation: ") + WebPAnimEncoderGetError(encoder_);
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(encoder_, &data))
        return std::string("cannot assemble the WebP animation: ") + WebPAnimEncoderGetError(encoder_);
    const std::unique_ptr<WebPData, void (*)(WebPData*)> owned(&data, WebPDataClear);
    std::uint32_t error = 0;
    if (std::fwrite(data.bytes, 1, data.size, file.stream()) != data.size)
        return CannotWrite(path, static_cast<std::uint32_t>(errno));
    if (!file.Commit(error))
        return CannotWrite(path, error);
    return {};
}

std::string WebpAnimation::Write(const std::string& path, std::uint32_t end_ms)
{
    platform::OutputFile file;
    if (std::uint32_t error = 0; !file.Open(path, error))
        return CannotWrite(path, error);
    return Write(file, path, end_ms);
}

} // namespace saver::headless
