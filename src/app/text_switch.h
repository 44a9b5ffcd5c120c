// The hide-text switch of the main window ("图形按钮20", labelled "隐藏启动文字") and the
// text-hidden flag behind it.
#pragma once

namespace lumivel {

struct AppState;

/// Sets the text-hidden flag and shows it: the switch, the preview's text layer (empty
/// while hidden, Photoshop's default text otherwise) and a redraw of the preview.
void setTextHidden(AppState& state, bool hidden);

/// The switch was clicked; the control has already flipped itself to `selected`.
void onTextSwitchClicked(AppState& state, bool selected);

/// The label beside the switch was clicked: the switch turns to its other state.
void onTextLabelClicked(AppState& state);

} // namespace lumivel
