// Loads picture files (BMP, GIF, JPEG, PNG, TIFF) into GDI bitmaps through GDI+, which is
// started on the first load and shut down with the loader.
#pragma once

#include <windows.h>

#include <string>

// A loaded picture. The bitmap belongs to whoever asked for it and is freed with
// DeleteObject.
struct ImageFile {
  HBITMAP bitmap = nullptr;
  int width = 0;
  int height = 0;
};

class ImageLoader {
 public:
  ImageLoader() = default;
  ~ImageLoader();
  ImageLoader(const ImageLoader&) = delete;
  ImageLoader& operator=(const ImageLoader&) = delete;

  // Reads the file at path (ANSI code page). Transparent parts of the picture come out white,
  // as the masks of the button strip and of the decoration images expect. Any failure (GDI+
  // cannot start, the file is missing or cannot be decoded) gives false and no bitmap.
  bool Load(const std::string& path, ImageFile& image);

 private:
  bool Start();

  ULONG_PTR token = 0;
  bool started = false;
};

// Frees a loaded bitmap when it goes out of scope.
class ImageFileHolder {
 public:
  explicit ImageFileHolder(const ImageFile& image) : image(image) {}
  ~ImageFileHolder() {
    if (image.bitmap) DeleteObject(image.bitmap);
  }
  ImageFileHolder(const ImageFileHolder&) = delete;
  ImageFileHolder& operator=(const ImageFileHolder&) = delete;

 private:
  ImageFile image;
};
