// The custom page's controls for the six image slots: the edit box that holds a slot's
// image path and the caption beside it, in the order of the slot table.
#pragma once

#include "slots/image_slot.h"

#include <array>
#include <string_view>

namespace lumivel {

struct SlotControls {
    ImageSlot slot;
    std::string_view editBox; ///< "编辑框2" ...
    std::string_view caption; ///< "启动图片：" ...
};

inline constexpr std::array<SlotControls, kImageSlots.size()> kSlotControls = {{
    {ImageSlot::SplashLow, "编辑框2", "启动图片："},
    {ImageSlot::SplashHigh, "编辑框7", "启动图片@X2："},
    {ImageSlot::DarkIconLow, "编辑框4", "图标暗界面："},
    {ImageSlot::DarkIconHigh, "编辑框5", "图标暗界面@X2："},
    {ImageSlot::LightIconLow, "编辑框3", "图标亮界面："},
    {ImageSlot::LightIconHigh, "编辑框6", "图标亮界面@X2："},
}};

static_assert([] {
    for (std::size_t i = 0; i < kSlotControls.size(); ++i)
        if (kSlotControls[i].slot != kImageSlots[i].slot)
            return false;
    return true;
}(), "the slot controls follow the slot table's order");

} // namespace lumivel
