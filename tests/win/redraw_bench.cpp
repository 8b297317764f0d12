// Times a full redraw of a busy month under Wine next to a plain copy of the same bitmap, with
// the split of what the kept pictures and the kept tips save, and a key-repeat run through a
// year. Prints figures only; never part of the test run.
#include "busy_month.h"
#include "support/milliseconds.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace render_test {
namespace {


// Milliseconds of each run of work; prepare runs before each, untimed.
template <typename Prepare, typename Work>
std::vector<double> Times(int runs, Prepare prepare, Work work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const double start = driver::Milliseconds();
    work();
    times.push_back(driver::Milliseconds() - start);
  }
  return times;
}

template <typename Work>
std::vector<double> Times(int runs, Work work) {
  return Times(runs, [] {}, work);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

class RedrawBench : public BusyMonthTest {
 protected:
  // Drops every tip tool, so the next redraw adds them all as a redraw did before the tips
  // were kept.
  void DropTips() {
    for (int i = 0; i < app.toolCount; ++i) {
      TOOLINFOA tool = {};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.hwnd = app.mainWindow;
      tool.uId = kFirstToolId + i;
      SendMessageA(app.tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    app.toolCount = 0;
  }

  // The rest of 2025: memos on every day and the picture on the 3rd and 10th of each month.
  void BusyYear() {
    for (int month = 2; month <= 12; ++month) {
      for (int day : {3, 10}) {
        Holiday* rule = NewFixedHoliday(month, day, "table12");
        rule->kind = 12;
        rule->bits = 0x4000;
        rules.push_back(rule);
      }
      for (int day = 1; day <= 28; ++day) {
        AddMemo(2025, month, day, "memo " + std::to_string(month) + "/" + std::to_string(day));
      }
    }
  }
};

TEST_F(RedrawBench, RedrawNextToPlainCopy) {
  BusyMonth();
  Show(2025, 1);
  SaveCompose(L"redraw_bench_month");
  printf("decorations %zu, memos %zu, tooltips %d, bitmap %d x %d\n",
         settings->DayDecoDef.size(), app.monthMemos.size(), app.toolCount,
         app.layout.clientWidth, app.layout.clientHeight);

  HDC screen = GetDC(nullptr);
  HDC copyDC = CreateCompatibleDC(screen);
  HBITMAP copy = CreateCompatibleBitmap(screen, app.layout.clientWidth, app.layout.clientHeight);
  ReleaseDC(nullptr, screen);
  HGDIOBJ displaced = SelectObject(copyDC, copy);

  const int runs = 200;
  app.Redraw();  // warm: GDI+ started, fonts realised
  const double redraw = Median(Times(runs, [&] { app.Redraw(); }));
  const double blit = Median(Times(runs, [&] {
    BitBlt(copyDC, 0, 0, app.layout.clientWidth, app.layout.clientHeight, app.composeDC, 0, 0,
           SRCCOPY);
    GdiFlush();
  }));
  const double picturesOnly =
      Median(Times(runs, [&] { DropTips(); }, [&] { app.Redraw(); }));
  const double tipsOnly =
      Median(Times(runs, [&] { app.ReleasePictures(); }, [&] { app.Redraw(); }));
  const double neither = Median(Times(
      runs, [&] { app.ReleasePictures(); DropTips(); }, [&] { app.Redraw(); }));
  const double load = Median(Times(runs, [&] {
    ImageFile image;
    app.imageLoader.Load(picture, image);
    DeleteObject(image.bitmap);
  }));
  app.Redraw();

  printf("medians of %d runs\n", runs);
  printf("Redraw                                %8.3f ms\n", redraw);
  printf("BitBlt of the same bitmap             %8.3f ms\n", blit);
  printf("ratio                                 %8.0f\n", blit > 0 ? redraw / blit : 0.0);
  printf("Redraw, pictures kept, tips rebuilt   %8.3f ms\n", picturesOnly);
  printf("Redraw, tips kept, pictures decoded   %8.3f ms\n", tipsOnly);
  printf("Redraw, neither kept                  %8.3f ms\n", neither);
  printf("one picture decoded                   %8.3f ms\n", load);

  SelectObject(copyDC, displaced);
  DeleteObject(copy);
  DeleteDC(copyDC);
}

// Holding an arrow key: 120 month steps, through 2025 and back, five times.
TEST_F(RedrawBench, KeyRepeatThroughAYear) {
  BusyMonth();
  BusyYear();
  Show(2025, 1);
  std::vector<double> steps;
  int month = 1;
  int direction = 1;
  for (int i = 0; i < 120; ++i) {
    if (month + direction < 1 || month + direction > 12) direction = -direction;
    month += direction;
    const double start = driver::Milliseconds();
    Navigate(2025, month);
    steps.push_back(driver::Milliseconds() - start);
  }
  printf("key repeat, %zu month steps: median %.3f ms, worst %.3f ms, tooltips now %d\n",
         steps.size(), Median(steps), *std::max_element(steps.begin(), steps.end()),
         app.toolCount);
}

}  // namespace
}  // namespace render_test
