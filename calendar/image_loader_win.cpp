#include "calendar/image_loader.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace {

std::wstring WidePath(const std::string& path) {
  const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::vector<wchar_t> wide(n);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
  return std::wstring(wide.data());
}

}  // namespace

ImageLoader::~ImageLoader() {
  if (started) Gdiplus::GdiplusShutdown(token);
}

bool ImageLoader::Start() {
  if (started) return true;
  Gdiplus::GdiplusStartupInput input;
  started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  return started;
}

bool ImageLoader::Load(const std::string& path, ImageFile& image) {
  image = ImageFile();
  if (path.empty() || !Start()) return false;
  const std::wstring wide = WidePath(path);
  if (wide.empty()) return false;

  // GDI+ objects must be gone before a later shutdown, so the decoder lives only here.
  std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromFile(wide.c_str()));
  if (!picture || picture->GetLastStatus() != Gdiplus::Ok) return false;
  const int width = static_cast<int>(picture->GetWidth());
  const int height = static_cast<int>(picture->GetHeight());
  if (width <= 0 || height <= 0) return false;

  HBITMAP bitmap = nullptr;
  if (picture->GetHBITMAP(Gdiplus::Color(255, 255, 255), &bitmap) != Gdiplus::Ok || !bitmap) {
    return false;
  }
  image.bitmap = bitmap;
  image.width = width;
  image.height = height;
  return true;
}
