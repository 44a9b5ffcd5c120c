// Numbers of the resources that assets/lumivel.rc puts into Lumivel.exe. Plain macros,
// because the resource compiler reads this file too.
#pragma once

#define IDI_LUMIVEL 1

// Picture button images: vertical strips of the states normal, hot, pressed.
#define IDR_BUTTON_LOCATE 101
// The hide-text switch: the three states cleared, then the three selected.
#define IDR_SWITCH_HIDE_TEXT 102
