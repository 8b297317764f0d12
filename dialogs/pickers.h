// The common dialogs the settings dialogs share: colours (with the custom colours kept in the
// settings file), fonts and image files. A cancelled picker changes nothing.
#pragma once

#include <windows.h>

#include <string>

class CSolidBrush;

// Lets the user pick a colour starting at current. On OK the swatch's brush takes the new
// colour, the swatch is repainted and the custom colours are written to the settings file at
// once; the new colour is returned. On cancel current is returned and nothing changes.
COLORREF PickColor(HWND owner, COLORREF current, HWND swatch, CSolidBrush& brush);

// Lets the user pick a screen font starting at font; true and font replaced on OK.
bool PickFont(HWND owner, LOGFONTA& font);

// The point size shown for a font height in pixels.
int FontPointSize(LONG height);

// Lets the user pick an existing image file; true and path replaced on OK.
bool PickImageFile(HWND owner, std::string& path);
