// The calendar at 150 % display scale. Runs in a Wine prefix of its own whose LogPixels is
// 144 (ctest sets it up): the real program starts at one and a half times its 96-DPI size and
// draws exactly what fonts made at the scaled height draw; a calendar moved to a monitor of
// another scale (WM_DPICHANGED) lays itself out for it without leaking a font or a bitmap.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "support/dialog_support.h"
#include "support/driver.h"
#include "tests/common/test_files.h"

namespace {

// This program carries the calendar's manifest, so it is per-monitor aware like Zanto.exe
// from its first instruction and sees the monitor's own DPI.
bool PerMonitorAware() {
  return GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()) ==
         DPI_AWARENESS_PER_MONITOR_AWARE;
}

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr int kScaledDpi = 144;

// Pixels of an area of a device context, top row first.
std::vector<DWORD> Read(HDC source, int x, int y, int width, int height) {
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// The calendar below its button bar (bar pixels high): the composed picture without the
// button windows.
std::vector<DWORD> BelowButtons(HDC source, int left, int top, SIZE client, int bar) {
  return Read(source, left, top + bar, client.cx, client.cy - bar);
}

std::vector<DWORD> Composed(const CalendarApp& app) {
  const CalendarLayout& l = app.layout;
  return BelowButtons(app.composeDC, 0, 0, SIZE{l.clientWidth, l.clientHeight},
                      l.margin + l.buttonBarHeight);
}

void SendDpiChange(HWND window, int dpi, const RECT& suggested) {
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

class Dpi144 : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PerMonitorAware());
    ASSERT_EQ(GetDpiForSystem(), static_cast<UINT>(kScaledDpi))
        << "run in a prefix made with ZANTO_WINE_DPI=144 (ctest does)";
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(DataFolder).parent_path().parent_path(),
                                ignored);
  }

  void TearDown() override {
    if (zanto.Started() && zanto.Running()) zanto.Terminate();
  }

  driver::Process zanto;
};

TEST_F(Dpi144, CalendarIsHalfAgainAsLargeDrawnWithScaledFontsAndFollowsAMonitorChange) {
  // The real program, first start at 150 %.
  zanto = driver::Process::Start(driver::Quoted(driver::ProgramPath(L"Zanto.exe")));
  ASSERT_TRUE(zanto.Started());
  HWND real = driver::WaitForWindow(zanto, kMainClass);
  ASSERT_NE(real, nullptr) << "no calendar window";
  zanto.WaitForIdle(driver::kStartTimeoutMs);
  driver::WaitUntil([] { return false; }, 500);  // let the first picture reach the screen
  // The first start shows the whole calendar on a 1920-pixel screen at 150 % (reading
  // pixels past the screen's edge would fail under Wine, too).
  const RECT realRect = driver::WindowRect(real);
  EXPECT_LE(realRect.right, GetSystemMetrics(SM_CXSCREEN));
  const RECT realClient = driver::ClientRect(real);
  const RECT realButton = driver::ChildRect(GetDlgItem(real, kFirstButtonId));
  EXPECT_EQ(realButton.right - realButton.left, 36) << "24 x 20 buttons at 150 %";
  EXPECT_EQ(realButton.bottom - realButton.top, 30);
  EXPECT_EQ(realButton.top, 6) << "a margin of 4 at 150 %";
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> realPicture;
  driver::WaitUntil([&] {
    std::vector<DWORD> now = BelowButtons(screen, realRect.left, realRect.top,
                               SIZE{realClient.right, realClient.bottom}, realButton.bottom);
    const bool settled = now == realPicture;
    realPicture = std::move(now);
    return settled;
  }, 5000, 200);
  ReleaseDC(nullptr, screen);
  driver::SaveScreenshot(real, L"dpi144_calendar");
  driver::Post(real, WM_CLOSE);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 0u);

  // The same calendar in this process: the program's own start-up and windows.
  CalendarApp& app = CalendarApp::Instance();
  ASSERT_EQ(app.Initialize(), 0);
  HWND window = app.CreateWindows();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(app.dpi, kScaledDpi);
  EXPECT_EQ(driver::ClientRect(window).right, realClient.right);
  EXPECT_EQ(driver::ClientRect(window).bottom, realClient.bottom);
  const std::vector<DWORD> at144 = Composed(app);
  EXPECT_TRUE(realPicture == at144) << "the program drew what this layout draws";

  // Fonts are made at the scaled height; the settings keep their 96-DPI values.
  const std::string shipped = ReadFile(SettingsPath);
  CFontData* fonts[] = {&app.settings->MonthExpression.Font, &app.settings->HeaderExpression.Font,
                        &app.settings->DateExpression.Font};
  CSettings stored;
  ASSERT_EQ(stored.Load(), 0);
  const CFontData* storedFonts[] = {&stored.MonthExpression.Font, &stored.HeaderExpression.Font,
                                    &stored.DateExpression.Font};
  for (int i = 0; i < 3; ++i) {
    LOGFONTA made = {};
    ASSERT_TRUE(GetObjectA(fonts[i]->Handle, sizeof made, &made));
    EXPECT_EQ(made.lfHeight, ScaleForDpi(storedFonts[i]->LogFont.lfHeight, kScaledDpi))
        << "font " << i;
    EXPECT_EQ(fonts[i]->LogFont.lfHeight, storedFonts[i]->LogFont.lfHeight) << "font " << i;
  }

  // Moved to a monitor at 100 %: the window takes the suggested place and its 96-DPI size.
  const int objectsBefore = dialogs::LiveGdiObjects();
  SendDpiChange(window, 96, RECT{100, 120, 400, 500});
  EXPECT_EQ(app.dpi, 96);
  const RECT rect96 = driver::WindowRect(window);
  EXPECT_EQ(rect96.left, 100);
  EXPECT_EQ(rect96.top, 120);
  const int width96 = rect96.right - rect96.left, height96 = rect96.bottom - rect96.top;
  // One and a half times the 96-DPI size, a half pixel rounded up: worked out here, not by the
  // program's layout code, so a window size cut instead of rounded shows.
  EXPECT_EQ(realClient.right, (width96 * 3 + 1) / 2) << "from " << width96;
  EXPECT_EQ(realClient.bottom, (height96 * 3 + 1) / 2) << "from " << height96;
  const RECT button96 = driver::ChildRect(GetDlgItem(window, kFirstButtonId));
  EXPECT_EQ(button96.bottom - button96.top, 20);

  // And back: the same picture as at the start, and no object left over from the trips.
  for (int trip = 0; trip < 3; ++trip) {
    SendDpiChange(window, 144, RECT{realRect.left, realRect.top, 0, 0});
    SendDpiChange(window, 96, RECT{100, 120, 0, 0});
  }
  EXPECT_EQ(dialogs::LiveGdiObjects(), objectsBefore);
  HBRUSH probe = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(dialogs::LiveGdiObjects(), objectsBefore + 1) << "the count sees a new object";
  DeleteObject(probe);
  SendDpiChange(window, 144, RECT{realRect.left, realRect.top, 0, 0});
  EXPECT_EQ(driver::ClientRect(window).right, realClient.right);
  EXPECT_EQ(driver::ClientRect(window).bottom, realClient.bottom);
  EXPECT_TRUE(Composed(app) == at144);

  // The place the system suggested on the other monitor is the user's: it is saved, nothing
  // else is.
  CSettings after;
  ASSERT_EQ(after.Load(), 0);
  EXPECT_EQ(after.Options.WinPos.Left, realRect.left);
  EXPECT_EQ(after.Options.WinPos.Top, realRect.top);
  after.Options.WinPos.Left = stored.Options.WinPos.Left;
  after.Options.WinPos.Top = stored.Options.WinPos.Top;
  ASSERT_EQ(after.SaveOption("WinPos"), 0);
  EXPECT_EQ(ReadFile(SettingsPath), shipped) << "a change of scale writes nothing but the place";
  DestroyWindow(window);
}

}  // namespace
