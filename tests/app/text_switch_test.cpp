#include "app/text_switch.h"

#include "app/app_state.h"
#include "support/recording_ui.h"

#include <gtest/gtest.h>

namespace lumivel {
namespace {

using testing::RecordingUi;
using testing::RecordingView;

struct Shown {
    bool flag, switchSelected, layerHidden;
    bool operator==(const Shown&) const = default;
};

Shown shownBy(const AppState& state, const RecordingView& view) {
    return {state.textHidden, view.textHiddenSwitch, view.textLayerHidden};
}

TEST(TextSwitch, SwitchAndLabelKeepFlagSwitchAndTextLayerTogether) {
    RecordingUi ui;
    RecordingView view;
    AppState state(ui, view, "/program");

    onTextSwitchClicked(state, true);
    EXPECT_EQ(shownBy(state, view), (Shown{true, true, true}));
    EXPECT_EQ(view.refreshes, 1);

    onTextLabelClicked(state);
    EXPECT_EQ(shownBy(state, view), (Shown{false, false, false}));
    onTextLabelClicked(state);
    EXPECT_EQ(shownBy(state, view), (Shown{true, true, true})) << "two label clicks return to where it was";

    onTextSwitchClicked(state, false);
    EXPECT_EQ(shownBy(state, view), (Shown{false, false, false}));
    EXPECT_EQ(view.refreshes, 4);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace lumivel
