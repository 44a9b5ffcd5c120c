#include "imaging/image.h"

namespace lumivel {

Image::Image(int width, int height)
    : m_width(width > 0 && height > 0 ? width : 0), m_height(width > 0 && height > 0 ? height : 0),
      m_rgba(std::size_t(m_width) * std::size_t(m_height) * 4, 0) {}

Rgba Image::pixel(int x, int y) const {
    const std::uint8_t* p = &m_rgba[offsetOf(x, y)];
    return {p[0], p[1], p[2], p[3]};
}

void Image::setPixel(int x, int y, Rgba value) {
    std::uint8_t* p = &m_rgba[offsetOf(x, y)];
    p[0] = value.r;
    p[1] = value.g;
    p[2] = value.b;
    p[3] = value.a;
}

Bytes premultipliedBgra(const Image& image) {
    const Bytes& rgba = image.rgba();
    Bytes bgra(rgba.size());
    auto times = [](unsigned colour, unsigned alpha) { return static_cast<std::uint8_t>((colour * alpha + 127) / 255); };
    for (std::size_t at = 0; at < rgba.size(); at += 4) {
        unsigned alpha = rgba[at + 3];
        bgra[at] = times(rgba[at + 2], alpha);
        bgra[at + 1] = times(rgba[at + 1], alpha);
        bgra[at + 2] = times(rgba[at], alpha);
        bgra[at + 3] = static_cast<std::uint8_t>(alpha);
    }
    return bgra;
}

} // namespace lumivel
