// Images as plain pixel buffers: what a decoded PNG holds and what a composition gives.
#pragma once

#include "platform/bytes.h"

#include <cstddef>
#include <cstdint>

namespace lumivel {

/// One pixel: red, green, blue and alpha, 0 to 255, colours not multiplied by alpha.
struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

/// A picture of width x height pixels, rows from the top, four bytes per pixel in the
/// order red, green, blue, alpha, colours not multiplied by alpha.
class Image {
public:
    Image() = default;
    /// A fully transparent picture of the given size.
    Image(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool empty() const { return m_width == 0 || m_height == 0; }

    Rgba pixel(int x, int y) const;
    void setPixel(int x, int y, Rgba value);

    /// The four bytes per pixel, row after row.
    const Bytes& rgba() const { return m_rgba; }
    Bytes& rgba() { return m_rgba; }

    friend bool operator==(const Image&, const Image&) = default;

private:
    std::size_t offsetOf(int x, int y) const { return (std::size_t(y) * std::size_t(m_width) + std::size_t(x)) * 4; }

    int m_width = 0;
    int m_height = 0;
    Bytes m_rgba;
};

/// The picture as a Windows top-down 32-bit DIB wants it for a layered window: blue,
/// green, red, alpha, each colour multiplied by alpha (rounded).
Bytes premultipliedBgra(const Image& image);

} // namespace lumivel
