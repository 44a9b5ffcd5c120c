// The six replaceable images: each tied to a theme file, an index entry, a density and a
// command-line name. This one table drives every place that handles the six slots; the
// window keeps its own controls for them (edit box and caption) in a table of its own.
#pragma once

#include "iconres/icon_resource_index.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace lumivel {

enum class ImageSlot { SplashLow, SplashHigh, DarkIconLow, DarkIconHigh, LightIconLow, LightIconHigh };

struct ImageSlotInfo {
    ImageSlot slot;
    std::string_view themeFile;   ///< "loading_low.png" ...
    std::string_view entryName;   ///< "Splash1080Background" ...
    DensityFile density;          ///< LowRes or HighRes
    std::string_view cliName;     ///< "splash-low" ...
};

/// In processing order.
inline constexpr std::array<ImageSlotInfo, 6> kImageSlots = {{
    {ImageSlot::SplashLow, "loading_low.png", kSplashEntry, DensityFile::LowRes, "splash-low"},
    {ImageSlot::SplashHigh, "loading_high.png", kSplashEntry, DensityFile::HighRes, "splash-high"},
    {ImageSlot::DarkIconLow, "ico_dark_low.png", kDarkIconEntry, DensityFile::LowRes, "dark-low"},
    {ImageSlot::DarkIconHigh, "ico_dark_high.png", kDarkIconEntry, DensityFile::HighRes, "dark-high"},
    {ImageSlot::LightIconLow, "ico_light_low.png", kLightIconEntry, DensityFile::LowRes, "light-low"},
    {ImageSlot::LightIconHigh, "ico_light_high.png", kLightIconEntry, DensityFile::HighRes, "light-high"},
}};

/// The table row of a slot.
constexpr const ImageSlotInfo& slotInfo(ImageSlot slot) { return kImageSlots[static_cast<std::size_t>(slot)]; }

/// The table row whose command-line name is `cliName`, or nothing.
constexpr const ImageSlotInfo* slotByCliName(std::string_view cliName) {
    for (const ImageSlotInfo& info : kImageSlots)
        if (info.cliName == cliName)
            return &info;
    return nullptr;
}

static_assert([] {
    for (std::size_t i = 0; i < kImageSlots.size(); ++i)
        if (static_cast<std::size_t>(kImageSlots[i].slot) != i)
            return false;
    return true;
}(), "the slot table lists the slots in the order of ImageSlot");

} // namespace lumivel
