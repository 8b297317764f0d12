// A solid brush that follows one colour: a colour swatch keeps one and paints with it.
#pragma once

#include <windows.h>

class CSolidBrush {
 public:
  CSolidBrush() = default;
  CSolidBrush(const CSolidBrush&) = delete;
  CSolidBrush& operator=(const CSolidBrush&) = delete;
  virtual ~CSolidBrush();

  // Makes the brush paint colour; nothing happens when it already does.
  void SetColor(COLORREF colour);

  HBRUSH brush = nullptr;
  // The colour the brush was made with; 0xFFFFFFFF before the first SetColor.
  COLORREF colour = 0xFFFFFFFF;
};
