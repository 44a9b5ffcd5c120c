#include "app/text_switch.h"

#include "app/app_state.h"

namespace lumivel {

void setTextHidden(AppState& state, bool hidden) {
    state.textHidden = hidden;
    state.view.setTextHiddenSwitch(hidden);
    state.view.showTextLayer(hidden);
    state.view.refreshPreview();
}

void onTextSwitchClicked(AppState& state, bool selected) { setTextHidden(state, selected); }

// Every writer of the flag also sets the switch, so the flag is the switch's state.
void onTextLabelClicked(AppState& state) { setTextHidden(state, !state.textHidden); }

} // namespace lumivel
