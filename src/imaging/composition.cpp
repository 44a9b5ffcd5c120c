#include "imaging/composition.h"

#include "imaging/png_codec.h"

#include <algorithm>

namespace lumivel {

namespace {

// Nearest pixel: each target pixel takes the source pixel under its centre, so a
// background of the window's own size is copied unchanged.
void drawScaled(Image& target, const Image& source) {
    for (int y = 0; y < target.height(); ++y) {
        int sy = static_cast<int>((std::int64_t(y) * 2 + 1) * source.height() / (std::int64_t(target.height()) * 2));
        for (int x = 0; x < target.width(); ++x) {
            int sx = static_cast<int>((std::int64_t(x) * 2 + 1) * source.width() / (std::int64_t(target.width()) * 2));
            target.setPixel(x, y, source.pixel(sx, sy));
        }
    }
}

void drawRegion(Image& target, const ImageRegion& region) {
    if (!region.image)
        return;
    const Image& image = *region.image;
    const Area& area = region.area;
    int right = std::min({area.x + std::min(area.width, image.width()), target.width()});
    int bottom = std::min({area.y + std::min(area.height, image.height()), target.height()});
    for (int y = std::max(area.y, 0); y < bottom; ++y) {
        for (int x = std::max(area.x, 0); x < right; ++x)
            target.setPixel(x, y, blendOver(target.pixel(x, y), image.pixel(x - area.x, y - area.y)));
    }
}

} // namespace

void ImageRegion::setImage(ByteView png) { image = decodePng(png); }

Rgba blendOver(Rgba below, Rgba top) {
    if (top.a == 255)
        return top;
    if (top.a == 0)
        return below;
    // Alpha and colours at 255 times their scale, so that each is rounded only once.
    const unsigned covered = 255u - top.a;
    const unsigned alpha = top.a * 255u + below.a * covered;
    auto colour = [&](unsigned t, unsigned b) {
        return static_cast<std::uint8_t>((t * top.a * 255u + b * below.a * covered + alpha / 2) / alpha);
    };
    return {colour(top.r, below.r), colour(top.g, below.g), colour(top.b, below.b),
            static_cast<std::uint8_t>((alpha + 127) / 255)};
}

void LayeredPicture::setBackground(ByteView png) { m_background = decodePng(png); }

std::size_t LayeredPicture::addRegion(Area area) {
    m_regions.push_back({area, std::nullopt});
    return m_regions.size() - 1;
}

Image LayeredPicture::compose() const {
    Image picture(m_width, m_height);
    if (m_background && !m_background->empty() && !picture.empty())
        drawScaled(picture, *m_background);
    for (const ImageRegion& region : m_regions)
        drawRegion(picture, region);
    return picture;
}

} // namespace lumivel
