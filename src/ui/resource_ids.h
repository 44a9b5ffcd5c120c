// Numbers of the resources that assets/lumivel.rc puts into Lumivel.exe. Plain macros,
// because the resource compiler reads this file too.
#pragma once

#define IDI_LUMIVEL 1

// Picture button images: vertical strips of the states normal, hot, pressed.
#define IDR_BUTTON_LOCATE 101
