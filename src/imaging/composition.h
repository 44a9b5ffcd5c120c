// The look of a layered window, composed into one picture: the window's own background
// scaled to the window's size, then each image region in turn, its image at natural
// size with its top-left corner at the region's, cut off at the region's size, drawn over
// what lies below it. Transparent pixels stay transparent, so the desktop shows there.
#pragma once

#include "imaging/image.h"
#include "platform/bytes.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace lumivel {

/// A rectangle in a window: x, y, width, height in pixels.
struct Area {
    int x = 0, y = 0, width = 0, height = 0;
};

/// A part of a layered window that shows one image, or nothing while it has none.
struct ImageRegion {
    Area area;
    std::optional<Image> image;

    /// Decodes `png` as the region's image; bytes that do not decode leave it without one.
    void setImage(ByteView png);
};

/// `top` drawn over `below` ("source over", colours not multiplied by alpha), rounded once.
Rgba blendOver(Rgba below, Rgba top);

class LayeredPicture {
public:
    LayeredPicture(int width, int height) : m_width(width), m_height(height) {}

    int width() const { return m_width; }
    int height() const { return m_height; }

    /// The window's own image, drawn first and scaled to the whole window; nothing when
    /// the bytes do not decode.
    void setBackground(ByteView png);
    void setBackground(std::optional<Image> image) { m_background = std::move(image); }

    /// A new region, drawn over the regions added before it; gives its number.
    std::size_t addRegion(Area area);
    ImageRegion& region(std::size_t number) { return m_regions.at(number); }
    const ImageRegion& region(std::size_t number) const { return m_regions.at(number); }

    /// The window's picture: background, then the regions in the order they were added.
    Image compose() const;

private:
    int m_width;
    int m_height;
    std::optional<Image> m_background;
    std::vector<ImageRegion> m_regions;
};

} // namespace lumivel
