// The theme selector's two pseudo-entries, listed before the themes: the look Photoshop
// has now, and the look its backup keeps.
#pragma once

#include <string_view>

namespace lumivel {

inline constexpr std::string_view kCurrentLookEntry = "[当前]";
inline constexpr std::string_view kDefaultLookEntry = "[默认]";

} // namespace lumivel
