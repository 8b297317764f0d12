// Small owners for GDI objects that live within one drawing step.
#pragma once

#include <windows.h>

// Selects an object into a device context and puts the displaced one back at scope end.
class ObjectSelection {
 public:
  ObjectSelection(HDC dc, HGDIOBJ object)
      : dc(dc), displaced(object ? SelectObject(dc, object) : nullptr) {}
  ~ObjectSelection() {
    if (displaced) SelectObject(dc, displaced);
  }
  ObjectSelection(const ObjectSelection&) = delete;
  ObjectSelection& operator=(const ObjectSelection&) = delete;

 private:
  HDC dc;
  HGDIOBJ displaced;
};

// Deletes a pen, brush or bitmap at scope end.
template <typename Handle>
class GdiObject {
 public:
  explicit GdiObject(Handle handle) : handle(handle) {}
  ~GdiObject() {
    if (handle) DeleteObject(handle);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle; }
  explicit operator bool() const { return handle != nullptr; }

 private:
  Handle handle;
};
