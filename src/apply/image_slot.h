// The six replaceable images: each tied to a theme file, a custom edit box, an index
// entry and a density. This one table drives every place that handles the six slots.
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
    std::string_view editBox;     ///< "编辑框2" ...
    std::string_view caption;     ///< "启动图片：" ...
    std::string_view entryName;   ///< "Splash1080Background" ...
    DensityFile density;          ///< LowRes or HighRes
    std::string_view cliName;     ///< "splash-low" ...
};

/// In processing order.
inline constexpr std::array<ImageSlotInfo, 6> kImageSlots = {{
    {ImageSlot::SplashLow, "loading_low.png", "编辑框2", "启动图片：", kSplashEntry, DensityFile::LowRes, "splash-low"},
    {ImageSlot::SplashHigh, "loading_high.png", "编辑框7", "启动图片@X2：", kSplashEntry, DensityFile::HighRes, "splash-high"},
    {ImageSlot::DarkIconLow, "ico_dark_low.png", "编辑框4", "图标暗界面：", kDarkIconEntry, DensityFile::LowRes, "dark-low"},
    {ImageSlot::DarkIconHigh, "ico_dark_high.png", "编辑框5", "图标暗界面@X2：", kDarkIconEntry, DensityFile::HighRes, "dark-high"},
    {ImageSlot::LightIconLow, "ico_light_low.png", "编辑框3", "图标亮界面：", kLightIconEntry, DensityFile::LowRes, "light-low"},
    {ImageSlot::LightIconHigh, "ico_light_high.png", "编辑框6", "图标亮界面@X2：", kLightIconEntry, DensityFile::HighRes, "light-high"},
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
