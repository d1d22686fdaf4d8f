#include "saver/headless/ImageFiles.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

#include <png.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace headless {

std::string WritePng(const std::string& path, const Picture& picture, bool fast)
{
    // The pixels hold blue, green, red and an unused byte: dropped here.
    std::vector<std::uint8_t> bgr(picture.pixels.size() * 3);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::uint32_t p = picture.pixels[i];
        bgr[3 * i] = static_cast<std::uint8_t>(p);
        bgr[3 * i + 1] = static_cast<std::uint8_t>(p >> 8);
        bgr[3 * i + 2] = static_cast<std::uint8_t>(p >> 16);
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_BGR;
    image.flags = fast ? PNG_IMAGE_FLAG_FAST : 0;
    const int written = png_image_write_to_file(&image, path.c_str(), 0, bgr.data(), 0, nullptr);
    std::string error;
    if (!written)
        error = "cannot write '" + path + "': " + image.message;
    png_image_free(&image);
    return error;
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
                 " pixels (at most 16383 each)";
}

WebpAnimation::~WebpAnimation()
{
    if (encoder_)
        WebPAnimEncoderDelete(encoder_);
}

std::string WebpAnimation::Add(const Picture& picture, std::uint32_t time_ms)
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
    frame.width = picture.width;
    frame.height = picture.height;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(picture.pixels.data());
    std::string error;
    if (!WebPPictureImportBGRX(&frame, bytes, picture.width * 4))
        error = "out of memory for a WebP frame";
    else if (!WebPAnimEncoderAdd(encoder_, &frame, static_cast<int>(time_ms), &config))
        error = std::string("cannot add a WebP frame: ") + WebPAnimEncoderGetError(encoder_);
    WebPPictureFree(&frame);
    return error;
}

std::string WebpAnimation::Write(const std::string& path, std::uint32_t end_ms)
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
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.bytes), static_cast<std::streamsize>(data.size));
    out.close();
    if (!out)
        return "cannot write '" + path + "'";
    return {};
}

} // namespace headless
