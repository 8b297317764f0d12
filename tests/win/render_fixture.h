// Sets up the application object for drawing without a real calendar window: memory device
// contexts, a hidden plain window as the tooltip owner, a tooltip control, a settings
// document and a month model of the test's own holiday rules. Shared by the drawing tests.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "calendar/month_model.h"
#include "docs/holiday.h"
#include "docs/settings.h"
#include "support/driver.h"

namespace render_test {

// Shift_JIS texts.
const char* const kGantan = "\x8c\xb3\x93\xfa";  // 元日
const char* const kWeekTitles =                 // 日 月 火 水 木 金 土
    "\x93\xfa \x8c\x8e \x89\xce \x90\x85 \x96\xd8 \x8b\xe0 \x93\x79";
const char* const kHeadingPicture = "yyyy\x94\x4e M\x8c\x8e";  // yyyy年 M月

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kGrey = RGB(192, 192, 192);

inline void SetFont(CFontData& font, int height, int weight, int shadow) {
  font.LogFont = LOGFONTA{};
  font.LogFont.lfHeight = height;
  font.LogFont.lfWeight = weight;
  font.LogFont.lfCharSet = SHIFTJIS_CHARSET;
  // Exact colours on every text pixel, so the tests can look for them.
  font.LogFont.lfQuality = NONANTIALIASED_QUALITY;
  font.SetFaceName("IPAGothic");
  font.Shadow = shadow;
}

inline CDayDeco* NewDeco(uint32_t check, uint32_t mask) {
  CDayDeco* deco = new CDayDeco;
  deco->check = check;
  deco->mask = mask;
  return deco;
}

// The standard entry: black text, grey shadow, nothing else.
inline CDayDeco* DefaultDeco() {
  CDayDeco* deco = NewDeco(0, 0);
  deco->name = kDefaultDecoName;
  deco->flags = kDecoAll;
  deco->colour = kBlack;
  deco->shadowColour = kGrey;
  return deco;
}

inline Holiday* NewFixedHoliday(int month, int day, const std::string& name) {
  Holiday* rule = new Holiday;
  rule->type = HOLIDAY_FIXED;
  rule->kind = 1;
  rule->bits = kNationalHolidayBits;
  rule->name = name;
  rule->StartYear = 1948;
  rule->EndYear = 9999;
  rule->Month = month;
  rule->Day = day;
  return rule;
}

// Writes a 24-bit bottom-up BMP whose pixel (x, y) has the colour colourAt gives.
inline void WriteBmp(const std::string& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colourAt) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = stride * height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<uint8_t> pixels(info.biSizeImage);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = &pixels[(height - 1 - y) * stride];
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colourAt(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(reinterpret_cast<const char*>(pixels.data()), pixels.size());
}

// A scratch folder in the system's temporary folder, ending with a backslash.
inline std::string TempFolder() {
  char path[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, path);
  std::string folder = std::string(path) + "zanto_render_test\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// Saves a bitmap as a BMP file (24 bits) at path.
inline bool SaveBitmap(HBITMAP bitmap, const std::wstring& path) {
  BITMAP bm = {};
  if (!GetObject(bitmap, sizeof bm, &bm)) return false;
  BITMAPINFOHEADER info = {};
  info.biSize = sizeof info;
  info.biWidth = bm.bmWidth;
  info.biHeight = bm.bmHeight;
  info.biPlanes = 1;
  info.biBitCount = 24;
  const int stride = (bm.bmWidth * 3 + 3) & ~3;
  info.biSizeImage = stride * bm.bmHeight;
  std::vector<uint8_t> pixels(info.biSizeImage);
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, bm.bmHeight, pixels.data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != bm.bmHeight) return false;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  FILE* out = _wfopen(path.c_str(), L"wb");
  if (!out) return false;
  fwrite(&file, sizeof file, 1, out);
  fwrite(&info, sizeof info, 1, out);
  fwrite(pixels.data(), pixels.size(), 1, out);
  fclose(out);
  return true;
}

// A day tip as the tooltip control holds it.
struct Tool {
  UINT_PTR id;
  RECT rect;
  std::string text;
  bool operator==(const Tool& other) const {
    return id == other.id && EqualRect(&rect, &other.rect) && text == other.text;
  }
};

// Every tool of the tooltip control, in its order.
inline std::vector<Tool> Tools(HWND tooltip) {
  std::vector<Tool> tools;
  const int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[1024] = {};
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.lpszText = text;
    if (!SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info))) continue;
    tools.push_back(Tool{info.uId, info.rect, text});
  }
  return tools;
}

inline LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class RenderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    RegisterPlainClass();

    settings = std::make_unique<CSettings>();
    UseTestSettings(*settings);
    app.settings = settings.get();
    app.options = &settings->Options;
    app.monthModel = &model;

    app.mainWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "ZantoRenderTest", "", WS_POPUP, 100,
                                     100, 300, 300, nullptr, nullptr, nullptr, nullptr);
    app.probeWindow = CreateWindowExA(WS_EX_TOOLWINDOW, "ZantoRenderTest", "", WS_POPUP, 0, 0,
                                      1, 1, nullptr, nullptr, nullptr, nullptr);
    app.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, app.mainWindow,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(app.mainWindow, nullptr);
    ASSERT_NE(app.tooltip, nullptr);

    HDC screen = GetDC(nullptr);
    app.composeDC = CreateCompatibleDC(screen);
    app.backgroundDC = CreateCompatibleDC(screen);
    app.decoImageDC = CreateCompatibleDC(screen);
    app.buttonImageDC = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    SetBkMode(app.composeDC, TRANSPARENT);
  }

  void TearDown() override {
    ReleaseBitmaps();
    for (CFontData* font : {&settings->MonthExpression.Font, &settings->HeaderExpression.Font,
                            &settings->DateExpression.Font}) {
      if (font->Handle) DeleteObject(font->Handle);
      font->Handle = nullptr;
    }
    if (app.buttonImage) {
      SelectObject(app.buttonImageDC, app.buttonImageDisplaced);
      DeleteObject(app.buttonImage);
    }
    app.buttonImage = nullptr;
    app.buttonImageDisplaced = nullptr;
    for (HDC dc : {app.composeDC, app.backgroundDC, app.decoImageDC, app.buttonImageDC}) {
      DeleteDC(dc);
    }
    app.composeDC = app.backgroundDC = app.decoImageDC = app.buttonImageDC = nullptr;
    DestroyWindow(app.tooltip);
    DestroyWindow(app.mainWindow);
    DestroyWindow(app.probeWindow);
    app.tooltip = app.mainWindow = app.probeWindow = nullptr;
    for (DateNote* note : app.monthMemos) delete note;
    app.monthMemos.clear();
    app.monthMemos.loadedYear = 0;
    app.toolCount = 0;
    app.ReleasePictures();
    app.layout = CalendarLayout();
    app.monthModel = nullptr;
    app.settings = nullptr;
    app.options = nullptr;
    app.homeYear = app.homeMonth = app.homeDay = 0;
  }

  // Legible settings with exact text colours: the weekday row shown, day numbers 16 pixels
  // high with a one-pixel shadow, the standard decoration only, white fill.
  static void UseTestSettings(CSettings& s) {
    SetFont(s.MonthExpression.Font, -20, FW_BOLD, 0);
    s.MonthExpression.Format = kHeadingPicture;
    s.MonthExpression.Locale = 1041;
    s.MonthExpression.Position = 1;
    s.MonthExpression.Color = RGB(40, 40, 90);
    s.HeaderExpression.Flag = 1;
    SetFont(s.HeaderExpression.Font, -12, FW_NORMAL, 0);
    s.HeaderExpression.WeekTitle = kWeekTitles;
    s.HeaderExpression.SpaceY = 20;
    SetFont(s.DateExpression.Font, -16, FW_BOLD, 1);
    s.DateExpression.SpaceX = 50;
    s.DateExpression.SpaceY = 20;
    s.DayDecoDef.push_back(DefaultDeco());
    s.Options.BackMode = 1;
    s.Options.MemoXml = "ZantoRenderTestMemo";
    s.BackPaint.ColorBack = kWhite;
    // The drawing tests look at the holiday and memo tips; the 暦 line that would give every
    // day a tip has tests of its own.
    s.KoyomiExpression.TipLine = 0;
  }

  // Lays the calendar out for the model's month and makes the two window-sized bitmaps; the
  // background starts white.
  void Layout(int year, int month) {
    ASSERT_TRUE(model.Build(year, month));
    app.shownYear = year;
    app.shownMonth = month;
    ReleaseBitmaps();
    app.ComputeLayout();
    ASSERT_GT(app.layout.clientWidth, 0);
    HDC screen = GetDC(nullptr);
    app.composeBitmap =
        CreateCompatibleBitmap(screen, app.layout.clientWidth, app.layout.clientHeight);
    app.backgroundBitmap =
        CreateCompatibleBitmap(screen, app.layout.clientWidth, app.layout.clientHeight);
    ReleaseDC(nullptr, screen);
    app.composeDisplaced = SelectObject(app.composeDC, app.composeBitmap);
    app.backgroundDisplaced = SelectObject(app.backgroundDC, app.backgroundBitmap);
    FillBackground(kWhite);
  }

  void FillBackground(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, app.layout.clientWidth, app.layout.clientHeight};
    FillRect(app.backgroundDC, &all, brush);
    DeleteObject(brush);
  }

  // Shows a month in the layout made for it.
  void Show(int year, int month) {
    Layout(year, month);
    app.Redraw();
  }

  // Moves to another month without a new layout, as navigation does.
  void Navigate(int year, int month) {
    ASSERT_TRUE(model.Build(year, month));
    app.Redraw();
  }

  void AddMemo(int year, int month, int day, const std::string& title,
               const std::function<void(CDayDeco&)>& decorate = nullptr) {
    DateNote* note = new DateNote(year, month, day);
    note->Title = title;
    if (decorate) decorate(note->decoration);
    app.monthMemos.push_back(note);
    app.monthMemos.loadedYear = year;
  }

  // Puts an entry in front of the standard one.
  void AddDecoration(CDayDeco* deco) {
    settings->DayDecoDef.insert(settings->DayDecoDef.end() - 1, deco);
  }

  RECT CellOf(int day) const {
    const CalendarLayout& l = app.layout;
    const int index = day - l.firstCellDay;
    const int x = l.margin + (index % 7) * l.cellWidth;
    const int y = l.gridTop + (index / 7) * l.cellHeight;
    return RECT{x, y, x + l.cellWidth, y + l.cellHeight};
  }

  RECT MarkRectOf(int day) const {
    const RECT cell = CellOf(day);
    const LayoutBox& b = app.layout.markBox;
    return RECT{cell.left + b.x, cell.top + b.y, cell.left + b.x + b.w, cell.top + b.y + b.h};
  }

  COLORREF Pixel(int x, int y) const { return GetPixel(app.composeDC, x, y); }

  int CountColour(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) count += Pixel(x, y) == colour;
    }
    return count;
  }

  int CountNot(const RECT& area, COLORREF colour) const {
    return (area.right - area.left) * (area.bottom - area.top) - CountColour(area, colour);
  }

  // Keeps the composed picture as a test artifact (BMP) when an artifacts folder is set.
  void SaveCompose(const std::wstring& name) const {
    const std::wstring folder = driver::ArtifactsFolder();
    if (folder.empty()) return;
    EXPECT_TRUE(SaveBitmap(app.composeBitmap, folder + name + L".bmp")) << "artifact";
  }

  void ReleaseBitmaps() {
    if (app.composeBitmap) {
      SelectObject(app.composeDC, app.composeDisplaced);
      DeleteObject(app.composeBitmap);
    }
    if (app.backgroundBitmap) {
      SelectObject(app.backgroundDC, app.backgroundDisplaced);
      DeleteObject(app.backgroundBitmap);
    }
    app.composeBitmap = app.backgroundBitmap = nullptr;
    app.composeDisplaced = app.backgroundDisplaced = nullptr;
  }

  static void RegisterPlainClass() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ZantoRenderTest";
    RegisterClassA(&windowClass);
  }

  CalendarApp& app = CalendarApp::Instance();
  std::unique_ptr<CSettings> settings;
  HolidayArray rules;
  CMonthModel model{rules};
};

}  // namespace render_test
