// Numbers of the resources that assets/lumivel.rc puts into Lumivel.exe. Plain macros,
// because the resource compiler reads this file too.
#pragma once

#define IDI_LUMIVEL 1

// Picture button images: vertical strips of the states normal, hot, pressed.
#define IDR_BUTTON_LOCATE 101
// The hide-text switch: the three states cleared, then the three selected.
#define IDR_SWITCH_HIDE_TEXT 102
// The window's buttons, each a strip of normal, hot, pressed.
#define IDR_BUTTON_PREVIOUS 103
#define IDR_BUTTON_NEXT 104
#define IDR_BUTTON_MINIMISE 105
#define IDR_BUTTON_CLOSE 106
#define IDR_BUTTON_APPLY_THEME 107
#define IDR_BUTTON_APPLY_IMAGES 108
#define IDR_BUTTON_DECORATION 109
// The page buttons: the three states cleared, then the three selected.
#define IDR_TAB_THEMES 110
#define IDR_TAB_CUSTOM 111
// The badges: the bright face above the dimmed one.
#define IDR_BADGE_1X 112
#define IDR_BADGE_2X 113
#define IDR_BADGE_TEXT 114
