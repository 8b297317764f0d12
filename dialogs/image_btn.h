// An owner-drawn navigation button: its picture comes from a strip of images with masks,
// blitted over the piece of calendar background that lies behind the button.
#pragma once

#include <windows.h>

class ImageBtn {
 public:
  virtual ~ImageBtn() = default;

  // Paints the button into the item's device context: the background behind it, then the
  // normal (or, while pressed, the pressed) image through its mask.
  virtual void Draw(const DRAWITEMSTRUCT& item);

  HWND window = nullptr;
  // Holds the calendar picture behind the button (the compose context).
  HDC backgroundDC = nullptr;
  // Holds the strip: per button a column of normal image, its mask, pressed image, its mask.
  HDC imageDC = nullptr;
  // The button's rectangle within the background.
  RECT rect = {};
  // Top-left corner of this button's column in the strip.
  int imageX = 0;
  int imageY = 0;
};
