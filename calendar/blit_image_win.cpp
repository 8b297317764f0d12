#include "calendar/blit_image.h"

#include "calendar/layout.h"

int BlitImage(HDC target, const RECT& rect, HDC source, const ImageFile& image, int type) {
  if (!image.bitmap) return 0;
  if (type != kImageTransparent && type != kImageNatural && type != kImageStretched) return 0;

  if (type == kImageStretched) {
    // Halftone keeps a shrunk picture's colours; the default mode would darken it.
    const int oldMode = SetStretchBltMode(target, HALFTONE);
    POINT oldOrigin;
    SetBrushOrgEx(target, 0, 0, &oldOrigin);
    StretchBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               source, 0, 0, image.width, image.height, SRCCOPY);
    SetBrushOrgEx(target, oldOrigin.x, oldOrigin.y, nullptr);
    SetStretchBltMode(target, oldMode);
    return 1;
  }

  const int pictureHeight = type == kImageTransparent ? image.height / 2 : image.height;
  const ImageSpan across = PlaceImageSpan(rect.right - rect.left, image.width);
  const ImageSpan down = PlaceImageSpan(rect.bottom - rect.top, pictureHeight);
  const int x = rect.left + across.target;
  const int y = rect.top + down.target;
  if (type == kImageNatural) {
    BitBlt(target, x, y, across.length, down.length, source, across.source, down.source,
           SRCCOPY);
    return 1;
  }
  // The inverted mask whitens the picture's area and leaves the rest; the picture, white
  // where the background should show, is then ANDed in.
  BitBlt(target, x, y, across.length, down.length, source, across.source,
         pictureHeight + down.source, MERGEPAINT);
  BitBlt(target, x, y, across.length, down.length, source, across.source, down.source, SRCAND);
  return 1;
}
