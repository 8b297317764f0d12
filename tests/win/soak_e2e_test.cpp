// Weeks of use in minutes: the real calendar window, in this process so that its GDI objects,
// windows, handles and memory can be counted, steps through months, redraws, opens and cancels
// every dialog and popup menu, and ticks through day changes. Everything ends where it began.
// Every day carries a picture decoration, so each month step and redraw draws pictures.
// ZANTO_LONG_RUNS=1 runs the full counts (10,000 month steps, 1,000 redraws, 200 of each dialog
// and menu, 2,000 ticks); by default a few of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "app/calendar_app.h"
#include "calendar/day_deco.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/driver.h"
#include "support/gdi_objects.h"
#include "support/process_figures.h"
#include "render_fixture.h"
// clang-format off
#include <shlobj.h>
// clang-format on

namespace {

bool LongRuns() {
  const char* value = std::getenv("ZANTO_LONG_RUNS");
  return value && *value && std::string(value) != "0";
}

// Modal loops ended so far: popup menus and dialogs seen open when the timer came.
int menusEnded = 0;
int dialogsEnded = 0;
// Popup menus opened so far. A menu can also close by itself (another program's window took
// the focus) before the timer comes: it was shown all the same.
int menusOpened = 0;

LRESULT CALLBACK CountMenus(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_INITMENUPOPUP) {
    ++menusOpened;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Ends whatever modal loop a command entered: a popup menu, or a dialog of this thread.
void CALLBACK Dismiss(HWND, UINT, UINT_PTR, DWORD) {
  if (FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr))) {
    ++menusEnded;
    EndMenu();
  }
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) {
        char name[16] = "";
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window)) {
          ++dialogsEnded;
          PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
      },
      0);
}

// Runs a command that enters a modal loop, ended from a timer; false when the loop ended
// without the timer having ended it (no menu or dialog was ever shown).
bool Modal(const std::function<void()>& command) {
  const int ended = menusEnded + dialogsEnded, opened = menusOpened;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, CountMenus, nullptr, GetCurrentThreadId());
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Dismiss);
  command();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  return menusEnded + dialogsEnded > ended || menusOpened > opened;
}

constexpr COLORREF kSundayColour = RGB(250, 40, 120);
constexpr COLORREF kDayColour = RGB(40, 200, 250);

// Picture decorations as a user adds them in the day types dialog: a transparent picture on
// Sundays and a natural-size one on every other day, each file in the data folder.
void AddPictureDecorations(CSettings& settings) {
  struct {
    const char* file;
    COLORREF colour;
    uint32_t check, mask;
    int32_t type;
  } const pictures[] = {{"sunday.bmp", kSundayColour, 0x20, 0x20, 1}, {"day.bmp", kDayColour, 0, 0, 2}};
  for (const auto& picture : pictures) {
    const std::string path = DataFolder + picture.file;
    const COLORREF colour = picture.colour;
    render_test::WriteBmp(path, 16, 32, [colour](int x, int y) {
      if (y < 16) return (x + y) % 4 ? colour : render_test::kWhite;
      return (x + y) % 4 ? render_test::kBlack : render_test::kWhite;
    });
    CDayDeco* deco = render_test::NewDeco(picture.check, picture.mask);
    deco->name = picture.file;
    deco->flags = kDecoImage;
    deco->imageType = picture.type;
    deco->imagePath = path;
    settings.DayDecoDef.insert(settings.DayDecoDef.end() - 1, deco);
  }
}

// Pixels of the calendar's picture in one colour.
int PixelsOf(HDC picture, const CalendarLayout& layout, COLORREF colour) {
  int count = 0;
  for (int y = 0; y < layout.clientHeight; ++y) {
    for (int x = 0; x < layout.clientWidth; ++x) count += GetPixel(picture, x, y) == colour;
  }
  return count;
}

struct SoakCounts {
  int monthSteps, redraws, dialogs, menus, ticks;
};

class SoakE2E : public testing::Test {
 protected:
  void SetUp() override {
    const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
    ASSERT_EQ(SHCreateDirectoryExA(nullptr, data.c_str(), nullptr) == ERROR_SUCCESS ||
                  GetLastError() == ERROR_ALREADY_EXISTS,
              true);
    ASSERT_TRUE(CopyFileW((driver::ProgramFolder() + L"Settings.xml").c_str(),
                          std::wstring(SettingsPath.begin(), SettingsPath.end()).c_str(), FALSE));
    AppInstance = GetModuleHandleA(nullptr);
    ASSERT_EQ(app().Initialize(), 0);
    AddPictureDecorations(*app().settings);
    ASSERT_NE(window = app().CreateWindows(), nullptr);
    driver::PumpMessages();
  }

  void TearDown() override {
    app().RemoveTrayIcon();
    app().ReleaseWindows();
    app().ReleaseGdi();
    CalendarApp::Destroy();
    driver::PumpMessages();
  }

  static CalendarApp& app() { return CalendarApp::Instance(); }

  // One round of everything, each action repeated as often as counts says.
  void Round(const SoakCounts& counts) {
    DWORD began = GetTickCount();
    auto phase = [&](const char* name) {
      std::printf("soak: %s %lu ms\n", name, GetTickCount() - began);
      began = GetTickCount();
    };
    const int firstMonth = app().shownYear * 12 + app().shownMonth;
    int farthest = 0;
    for (int i = 0; i < counts.monthSteps; ++i) {
      SendMessageA(window, WM_COMMAND, kFirstButtonId + 1 + 2 * (i / 12 % 2), 0);  // back or on
      farthest = std::max(farthest, std::abs(app().shownYear * 12 + app().shownMonth - firstMonth));
    }
    EXPECT_EQ(farthest, std::min(counts.monthSteps, 12)) << "a year back and forth again";
    for (int i = 0; i < counts.redraws; ++i) {
      app().Redraw();
      RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    phase("month steps and redraws");
    EXPECT_GT(PixelsOf(app().composeDC, app().layout, kSundayColour), 0) << "Sunday pictures drawn";
    EXPECT_GT(PixelsOf(app().composeDC, app().layout, kDayColour), 0) << "day pictures drawn";
    EXPECT_EQ(app().pictureCache.Size(), 2u) << "each picture decoded once and kept";
    const CalendarLayout& l = app().layout;
    const LPARAM day = MAKELPARAM(l.margin + 3 * l.cellWidth + l.cellWidth / 2,
                                  l.gridTop + 2 * l.cellHeight + l.cellHeight / 2);
    for (int i = 0; i < counts.dialogs; ++i) {
      for (UINT command : {IDM_DISPLAY_SETTINGS, IDM_DAY_TYPES, IDM_VERSION}) {
        EXPECT_TRUE(Modal([&] { SendMessageA(window, WM_COMMAND, command, 0); })) << command;
      }
      EXPECT_TRUE(Modal([&] { SendMessageA(window, WM_LBUTTONDBLCLK, MK_LBUTTON, day); })) << "memo editor";
    }
    phase("dialogs");
    for (int i = 0; i < counts.menus; ++i) {
      EXPECT_TRUE(Modal([&] { SendMessageA(window, WM_TRAYICON, 0, WM_RBUTTONUP); })) << "tray menu";
      EXPECT_TRUE(Modal([&] { SendMessageA(window, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)); })) << "context menu";
    }
    phase("menus");
    SYSTEMTIME time = {2026, 1, 0, 1, 0, 0, 0, 0};
    for (int i = 0; i < counts.ticks; ++i) {
      // A tick a minute, a day change every 1,440, with the desktop probes of the tick.
      time.wMinute = static_cast<WORD>(i % 60);
      time.wHour = static_cast<WORD>(i / 60 % 24);
      time.wDay = static_cast<WORD>(1 + i / 1440 % 28);
      if (i % 97 == 0) time.wDay = static_cast<WORD>(1 + (time.wDay + 1) % 28);
      app().OnTick(time);
    }
    driver::PumpMessages();
    phase("ticks");
  }

  HWND window = nullptr;
};

TEST_F(SoakE2E, WeeksOfUseEndWithTheObjectsHandlesAndMemoryTheyBeganWith) {
  const bool full = LongRuns();
  const SoakCounts counts = full ? SoakCounts{10000, 1000, 200, 200, 2000} : SoakCounts{24, 5, 1, 1, 100};
  // A first round loads what is loaded once (the common controls, the fonts of the dialogs).
  Round({12, 2, 1, 1, 20});
  const driver::ProcessFigures before = driver::ReadProcessFigures();
  Round(counts);
  const driver::ProcessFigures after = driver::ReadProcessFigures();
  // The handle count can fail too: one event made on purpose moves it.
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const long withEvent = driver::ReadProcessFigures().handles;
  CloseHandle(event);
  if (before.handles >= 0) {
    EXPECT_EQ(withEvent, after.handles + 1);
  }
  std::printf("soak (%s): before: %s\nsoak: after:  %s\n", full ? "full" : "short",
              driver::Describe(before).c_str(), driver::Describe(after).c_str());

  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  // Wine keeps a few handles of its own that come and go (events of the modal loops, threads).
  if (before.handles >= 0) {
    EXPECT_LE(after.handles, before.handles + 8);
  }
  // The heap may keep some freed blocks; a leak of 400 bytes per month step alone exceeds this.
  if (before.privateBytes > 0) {
    EXPECT_LE(after.privateBytes, before.privateBytes + (4u << 20));
  }

  // The count can fail: one object made on purpose moves it.
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(driver::LiveGdiObjects(), after.gdiObjects + 1);
  DeleteObject(brush);
}

}  // namespace
