#include "dialogs/image_btn.h"

void ImageBtn::Draw(const DRAWITEMSTRUCT& item) {
  // Only a change to the selected state shows the pressed rows; focus changes and plain
  // repaints always use the normal rows.
  const bool pressed = (item.itemAction & ODA_SELECT) && (item.itemState & ODS_SELECTED);
  const int h = rect.bottom - rect.top;
  const int w = rect.right - rect.left;
  const int offset = pressed ? 2 * h : 0;
  BitBlt(item.hDC, 0, 0, w, h, backgroundDC, rect.left, rect.top, SRCCOPY);
  BitBlt(item.hDC, 0, 0, w, h, imageDC, imageX, imageY + h + offset, MERGEPAINT);
  BitBlt(item.hDC, 0, 0, w, h, imageDC, imageX, imageY + offset, SRCAND);
}
