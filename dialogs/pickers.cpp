#include "dialogs/pickers.h"

#include <commdlg.h>

#include <cstdlib>
#include <cstring>

#include "app/resource_string.h"
#include "dialogs/solid_brush.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr DWORD kFontFlags =
    CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_SCRIPTSONLY | CF_NOVECTORFONTS | CF_FORCEFONTEXIST;
constexpr DWORD kImageFileFlags =
    OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON;

// The open dialog's filter: pairs of label and patterns, each ended by a zero byte, the list
// ended by one more.
std::string ImageFileFilter() {
  std::string filter = "BMP/GIF/JPEG/PNG/TIFF";
  filter += '\0';
  filter += "*.bmp;*.gif;*.jpeg;*.jpg;*.png;*.tiff";
  filter += '\0';
  filter += LoadResourceString(IDS_FILTER_ALL_FILES);
  filter += '\0';
  filter += "*.*";
  filter += '\0';
  return filter;
}

}  // namespace

COLORREF PickColor(HWND owner, COLORREF current, HWND swatch, CSolidBrush& brush) {
  COptions& options = CSettings::Instance().Options;
  COLORREF custom[kHexListSize];
  for (int i = 0; i < kHexListSize; ++i) custom[i] = static_cast<COLORREF>(options.CustColor[i]);

  CHOOSECOLORA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = current;
  choose.lpCustColors = custom;
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorA(&choose)) return current;

  brush.SetColor(choose.rgbResult);
  InvalidateRect(swatch, nullptr, TRUE);
  for (int i = 0; i < kHexListSize; ++i) options.CustColor[i] = static_cast<int32_t>(custom[i]);
  CSettings::Instance().SaveOption("CustColor");
  return choose.rgbResult;
}

bool PickFont(HWND owner, LOGFONTA& font) {
  LOGFONTA picked = font;
  CHOOSEFONTA choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &picked;
  choose.Flags = kFontFlags;
  if (!ChooseFontA(&choose)) return false;
  font = picked;
  return true;
}

int FontPointSize(LONG height) { return (std::labs(height) * 3 + 2) / 4; }

bool PickImageFile(HWND owner, std::string& path) {
  char file[MAX_PATH] = "";
  const std::string filter = ImageFileFilter();
  OPENFILENAMEA open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter.c_str();
  open.lpstrFile = file;
  open.nMaxFile = sizeof file;
  open.Flags = kImageFileFlags;
  if (GetOpenFileNameA(&open) != TRUE) return false;
  path = file;
  return true;
}
