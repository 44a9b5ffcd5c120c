#include "imaging/png_codec.h"

#include <png.h>

#include <string>

namespace lumivel {

std::optional<Image> decodePng(ByteView png) {
    if (png.empty())
        return std::nullopt;
    png_image reader{};
    reader.version = PNG_IMAGE_VERSION;
    // The simplified reader gives the first frame, converted to 8-bit sRGB with alpha
    // whatever the file's own colour type and depth.
    if (!png_image_begin_read_from_memory(&reader, png.data(), png.size()))
        return std::nullopt;
    if (reader.width == 0 || reader.height == 0 ||
        std::size_t(reader.width) * std::size_t(reader.height) > kMaxDecodedPixels) {
        png_image_free(&reader);
        return std::nullopt;
    }
    reader.format = PNG_FORMAT_RGBA;
    Image image(static_cast<int>(reader.width), static_cast<int>(reader.height));
    if (!png_image_finish_read(&reader, nullptr, image.rgba().data(), 0, nullptr)) {
        png_image_free(&reader);
        return std::nullopt;
    }
    return image;
}

Result<Bytes> encodePng(const Image& image) {
    if (image.empty())
        return Error{"无法写出空白的图片"};
    png_image writer{};
    writer.version = PNG_IMAGE_VERSION;
    writer.width = static_cast<png_uint_32>(image.width());
    writer.height = static_cast<png_uint_32>(image.height());
    writer.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_get_memory_size(writer, size, 0, image.rgba().data(), 0, nullptr))
        return Error{std::string("PNG 编码失败：") + writer.message};
    Bytes png(size);
    if (!png_image_write_to_memory(&writer, png.data(), &size, 0, image.rgba().data(), 0, nullptr))
        return Error{std::string("PNG 编码失败：") + writer.message};
    png.resize(size);
    return png;
}

} // namespace lumivel
