#include "dialogs/solid_brush.h"

CSolidBrush::~CSolidBrush() {
  if (brush) DeleteObject(brush);
}

void CSolidBrush::SetColor(COLORREF newColour) {
  if (newColour == colour && brush) return;
  if (brush) DeleteObject(brush);
  brush = CreateSolidBrush(newColour);
  colour = newColour;
}
