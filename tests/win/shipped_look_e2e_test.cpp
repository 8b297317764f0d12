// The first start on a black and on a white desktop: the shipped look draws the calendar on a
// fill of its own, so the user sees the same legible calendar on either. The pictures are
// kept as artifacts (shipped_look_on_black, shipped_look_on_white).
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "docs/data_folder.h"
#include "docs/settings.h"
#include "support/driver.h"

namespace {

constexpr wchar_t kMainClass[] = L"WindowClassZanto";
constexpr wchar_t kBackdropClass[] = L"ZantoTestDesktop";
// Desktop around the calendar shown in the pictures.
constexpr int kAround = 40;

struct Area {
  RECT rect;
  std::vector<COLORREF> pixels;  // top row first
  COLORREF At(int x, int y) const {
    return pixels[static_cast<size_t>(y) * (rect.right - rect.left) + x];
  }
};

Area Capture(const RECT& rect) {
  Area area{rect, {}};
  // The screen's pixels are 0x00RRGGBB; a colour reference is 0x00BBGGRR.
  for (const DWORD p : driver::ScreenPixels(rect)) {
    area.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  return area;
}

// A plain window of one colour standing in for the desktop around the calendar: it has a
// hole where the calendar is, so that no stacking order (which bare Xvfb does not keep for
// windows of two programs) can put it over the calendar.
class Backdrop {
 public:
  Backdrop(COLORREF colour, const RECT& rect, HWND calendar) : brush_(CreateSolidBrush(colour)) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kBackdropClass;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kBackdropClass, L"",
                              WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    SetClassLongPtrW(window_, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(brush_));
    RECT hole = driver::WindowRect(calendar);
    OffsetRect(&hole, -rect.left, -rect.top);
    HRGN shape = CreateRectRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top);
    HRGN cut = CreateRectRgnIndirect(&hole);
    CombineRgn(shape, shape, cut, RGN_DIFF);
    DeleteObject(cut);
    SetWindowRgn(window_, shape, FALSE);  // the window owns the region from here on
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    driver::PumpMessages();
  }
  ~Backdrop() {
    DestroyWindow(window_);
    DeleteObject(brush_);
  }

 private:
  HBRUSH brush_;
  HWND window_ = nullptr;
};

TEST(ShippedLookE2E, FirstStartShowsTheSameLegibleCalendarOnABlackAndAWhiteDesktop) {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(DataFolder).parent_path().parent_path(),
                              ignored);
  driver::Process zanto =
      driver::Process::Start(driver::Quoted(driver::ProgramPath(L"Zanto.exe")));
  ASSERT_TRUE(zanto.Started());
  HWND calendar = driver::WaitForWindow(zanto, kMainClass);
  ASSERT_NE(calendar, nullptr) << "no calendar window";
  zanto.WaitForIdle(driver::kStartTimeoutMs);
  CSettings settings;
  ASSERT_EQ(settings.Load(), 0);
  const COLORREF fill = static_cast<COLORREF>(settings.BackPaint.ColorBack);
  const COLORREF text = static_cast<COLORREF>(settings.MonthExpression.Color);

  const RECT window = driver::WindowRect(calendar);
  // Within the screen: Wine reads no pixels of an area reaching past its edge.
  RECT around = window;
  InflateRect(&around, kAround, kAround);
  const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  IntersectRect(&around, &around, &screen);
  struct Desktop {
    COLORREF colour;
    const wchar_t* picture;
  };
  const Desktop desktops[] = {{RGB(0, 0, 0), L"shipped_look_on_black"},
                              {RGB(255, 255, 255), L"shipped_look_on_white"}};
  std::vector<Area> calendars;
  for (const Desktop& desktop : desktops) {
    SCOPED_TRACE(testing::Message() << std::hex << desktop.colour);
    Backdrop backdrop(desktop.colour, around, calendar);
    Area seen;
    driver::WaitUntil([&] {
      seen = Capture(around);
      return seen.At(0, 0) == desktop.colour;
    }, 5000, 50);
    ASSERT_EQ(seen.At(0, 0), desktop.colour) << "the desktop stand-in shows";
    const std::wstring folder = driver::ArtifactsFolder();
    if (!folder.empty()) driver::SaveScreenArea(around, folder + desktop.picture + L".bmp");

    // The calendar stands on its own fill, with the heading's text on it.
    const Area shown = Capture(window);
    EXPECT_EQ(shown.At(0, shown.rect.bottom - shown.rect.top - 1), fill) << "bottom left corner";
    size_t textPixels = 0;
    for (COLORREF pixel : shown.pixels) textPixels += pixel == text;
    EXPECT_GT(textPixels, 100u);
    calendars.push_back(shown);
  }
  EXPECT_TRUE(calendars[0].pixels == calendars[1].pixels) << "the desktop does not show through";

  driver::Post(calendar, WM_CLOSE);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 0u);
}

}  // namespace
