// A View that keeps what it is shown. The command line writes the kept images out, the
// tests assert on them, and the window keeps the values of controls it does not draw yet.
#pragma once

#include "platform/ui.h"

#include <string>

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

    std::string pathText;
    std::string description;
    Bytes splash, darkIcon, lightIcon;
    bool textHiddenSwitch = false;
    bool textLayerHidden = false;
    int refreshes = 0;
};

} // namespace lumivel
