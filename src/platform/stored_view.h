// A View that keeps what it is shown. The command line writes the kept images out, the
// tests assert on them, and the window keeps the values of controls it does not draw yet.
#pragma once

#include "platform/ui.h"

#include <optional>
#include <string>
#include <vector>

namespace lumivel {

class StoredView : public View {
public:
    void setPathText(std::string_view text) override { pathText = text; }
    void setDescription(std::string_view text) override { description = text; }
    void setDarkIcon(ByteView png) override { darkIcon.assign(png.begin(), png.end()); }
    void setLightIcon(ByteView png) override { lightIcon.assign(png.begin(), png.end()); }
    void setTextHiddenSwitch(bool selected) override { textHiddenSwitch = selected; }
    void showSplash(ByteView png) override { splash.assign(png.begin(), png.end()); }
    void showTextLayer(bool textHidden) override { textLayerHidden = textHidden; }
    void refreshPreview() override { ++refreshes; }
    void setThemeEntries(const std::vector<std::string>& entries) override {
        themeEntries = entries;
        selectedThemePosition.reset();
    }
    void setSelectedThemeEntry(std::size_t position) override { selectedThemePosition = position; }
    void setSelectorFaceText(std::string_view text) override { selectorFaceText = text; }
    void setSelectorUnfolded(bool unfolded) override { selectorUnfolded = unfolded; }
    void setBadgesVisible(bool visible) override { badgesVisible = visible; }
    void setBadges(ThemeBadges lit) override { badges = lit; }
    void setLink(ThemeLink link, std::string_view caption, std::string_view address) override {
        (link == ThemeLink::Author ? authorLink : referenceLink) = {std::string(caption), std::string(address)};
    }

    std::string pathText;
    std::string description;
    Bytes splash, darkIcon, lightIcon;
    bool textHiddenSwitch = false;
    bool textLayerHidden = false;
    int refreshes = 0;

    /// A link as shown: its caption and its address.
    struct Link {
        std::string caption;
        std::string address;
        bool operator==(const Link&) const = default;
    };

    /// The theme selector, its face and what a theme shows below it.
    std::vector<std::string> themeEntries;
    std::optional<std::size_t> selectedThemePosition;
    std::string selectorFaceText;
    bool selectorUnfolded = false;
    bool badgesVisible = false;
    ThemeBadges badges;
    Link authorLink, referenceLink;

};

} // namespace lumivel
