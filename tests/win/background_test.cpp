// Background modes: wallpaper capture with its probe points, fill colours, and the colour
// key of the transparent mode with the layered window style.
#include "render_fixture.h"

namespace render_test {
namespace {

class BackgroundTest : public RenderTest {
 protected:
  // Prepares the background with the main window's own device context, then redraws.
  void Prepare() {
    HDC dc = GetDC(app.mainWindow);
    app.PrepareBackground(dc);
    ReleaseDC(app.mainWindow, dc);
    app.Redraw();
  }

  bool Layered() const {
    return (GetWindowLongPtrA(app.mainWindow, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
  }

  // Prepares the background from a desktop the test paints: PaintDesktop paints only white
  // under Wine, so a patterned memory device context stands in for the window's, with every
  // pixel clipped away from the desktop painting (under Wine GetPixel and BitBlt still read
  // a clipped pixel).
  void PrepareOverPattern(const std::function<COLORREF(int, int)>& colourAt) {
    const int w = app.layout.clientWidth, h = app.layout.clientHeight;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP pattern = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(pattern, nullptr);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const COLORREF c = colourAt(x, y);
        pixels[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      }
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ displaced = SelectObject(dc, pattern);
    HRGN nothing = CreateRectRgn(0, 0, 0, 0);
    SelectClipRgn(dc, nothing);
    DeleteObject(nothing);
    app.PrepareBackground(dc);
    SelectObject(dc, displaced);
    DeleteDC(dc);
    DeleteObject(pattern);
    app.Redraw();
  }

  // A background pixel: the top-left corner of the window lies in the margin.
  COLORREF Background() const { return GetPixel(app.backgroundDC, 1, 1); }
};

TEST_F(BackgroundTest, FillModeUsesTheColourAndLeavesTheWindowUnlayered) {
  Layout(2025, 1);
  SetWindowLongPtrA(app.mainWindow, GWL_EXSTYLE, WS_EX_TOOLWINDOW | WS_EX_LAYERED);
  settings->Options.BackMode = 1;
  settings->BackPaint.ColorBack = RGB(250, 240, 200);
  Prepare();
  EXPECT_EQ(Background(), RGB(250, 240, 200));
  EXPECT_EQ(Pixel(1, 1), RGB(250, 240, 200));
  EXPECT_FALSE(Layered());
  // The other extended styles stay.
  EXPECT_TRUE(GetWindowLongPtrA(app.mainWindow, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  SaveCompose(L"background_fill");

  // 0x1000000 and the all-bits value of a file without "ColorBack" both mean the desktop
  // colour, read at each preparation.
  const COLORREF desktop = GetSysColor(COLOR_BACKGROUND);
  for (int32_t value : {0x1000000, -1}) {
    settings->BackPaint.ColorBack = value;
    Prepare();
    EXPECT_EQ(Background(), desktop) << value;
  }
}

TEST_F(BackgroundTest, TransparentModeFillsWithTheKeyAndLayersTheWindow) {
  Layout(2025, 1);
  settings->Options.BackMode = 2;
  settings->Options.ColorTrans = RGB(1, 1, 1);
  ShowWindow(app.probeWindow, SW_SHOWNOACTIVATE);
  const POINT before = app.probeScreen[0];
  Prepare();
  EXPECT_EQ(Background(), RGB(1, 1, 1));
  EXPECT_TRUE(Layered());
  EXPECT_FALSE(IsWindowVisible(app.probeWindow));
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(app.mainWindow, &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(1, 1, 1));
  EXPECT_EQ(alpha, 255);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
  // No wallpaper is captured, so the probe points stay.
  EXPECT_EQ(app.probeScreen[0].x, before.x);
  EXPECT_EQ(app.probeScreen[0].y, before.y);
  SaveCompose(L"background_transparent");

  // Back to fill: the window is no longer layered.
  settings->Options.BackMode = 1;
  Prepare();
  EXPECT_FALSE(Layered());
}

TEST_F(BackgroundTest, UnavailableModesAreSkipped) {
  Layout(2025, 1);
  settings->BackPaint.ColorBack = RGB(200, 200, 255);
  struct Case {
    int mode, unavailable, expected;
  } cases[] = {{0, 0x1, 1}, {0, 0x3, 2}, {1, 0x2, 2}, {2, 0x4, 0}, {2, 0x5, 1},
               {0, 0x7, 0}, {0, 0x0, 0}, {5, 0x0, 2}, {-1, 0x0, 2}};
  for (const Case& c : cases) {
    settings->Options.BackMode = c.mode;
    settings->BackPaint.ModeUnavail = c.unavailable;
    Prepare();
    EXPECT_EQ(settings->Options.BackMode, c.expected) << c.mode << " / " << c.unavailable;
    EXPECT_EQ(Layered(), c.expected == 2) << c.mode << " / " << c.unavailable;
  }
}

TEST_F(BackgroundTest, WallpaperModeRecordsProbePointsOnTheMonitor) {
  Layout(2025, 1);
  const int w = app.layout.clientWidth, h = app.layout.clientHeight;
  const RECT monitor = [&] {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(app.mainWindow, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
  }();
  // Half off the right edge of its monitor.
  const int left = monitor.right - w / 2, top = monitor.top + 50;
  SetWindowPos(app.mainWindow, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  settings->Options.BackMode = 0;
  // The calendar window is on screen when it captures what lies under it.
  ShowWindow(app.mainWindow, SW_SHOWNOACTIVATE);
  // No two pixels of the desktop under the window have the same colour.
  auto desktop = [](int x, int y) { return RGB(x % 256, y % 256, 64 + x / 256 + 4 * (y / 256)); };
  ASSERT_NO_FATAL_FAILURE(PrepareOverPattern(desktop));
  EXPECT_FALSE(Layered());
  for (POINT p : {POINT{0, 0}, POINT{w - 1, h - 1}, POINT{w / 2, h / 3}}) {
    EXPECT_EQ(GetPixel(app.backgroundDC, p.x, p.y), desktop(p.x, p.y)) << "captured " << p.x << "," << p.y;
  }
  SaveCompose(L"background_wallpaper");

  const POINT expected[4] = {
      {left, top}, {left, top + h - 1}, {monitor.right - 1, top + h - 1}, {monitor.right - 1, top}};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(app.probeScreen[i].x, expected[i].x);
    EXPECT_EQ(app.probeScreen[i].y, expected[i].y);
    EXPECT_EQ(app.probeWindowPos[i].x, expected[i].x - left);
    EXPECT_EQ(app.probeWindowPos[i].y, expected[i].y - top);
    // Each colour is the desktop's at its own point of the window, and only there.
    EXPECT_EQ(app.probeColour[i], desktop(expected[i].x - left, expected[i].y - top));
  }

  // Wholly off every monitor: the old probe points stay.
  SetWindowPos(app.mainWindow, nullptr, monitor.right + 500, top, w, h,
               SWP_NOZORDER | SWP_NOACTIVATE);
  Prepare();
  EXPECT_EQ(app.probeScreen[2].x, monitor.right - 1);
  EXPECT_EQ(app.probeScreen[0].x, left);
}

}  // namespace
}  // namespace render_test
