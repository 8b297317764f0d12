// Times a full redraw of a busy month under Wine next to a plain copy of the same bitmap.
// Prints figures only; never part of the test run.
#include "render_fixture.h"

#include <cstdio>

namespace render_test {
namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

template <typename Work>
double MillisecondsPerRun(int runs, Work work) {
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  for (int i = 0; i < runs; ++i) work();
  QueryPerformanceCounter(&end);
  return Milliseconds(start, end) / runs;
}

class RedrawBench : public RenderTest {
 protected:
  // Ten decoration types; one of them puts a picture on the five days of "other table 12".
  void BusyMonth() {
    for (int day : {3, 10, 17, 24, 31}) {
      Holiday* rule = NewFixedHoliday(1, day, "table12");
      rule->kind = 12;
      rule->bits = 0x4000;
      rules.push_back(rule);
    }
    rules.push_back(NewFixedHoliday(1, 1, kGantan));
    rules.push_back(NewFixedHoliday(1, 13, "Seijin"));

    const std::string picture = TempFolder() + "bench_picture.bmp";
    WriteBmp(picture, 16, 32, [](int x, int y) {
      if (y < 16) return (x + y) % 4 ? RGB(250, 200, 0) : kWhite;
      return (x + y) % 4 ? kBlack : kWhite;
    });
    CDayDeco* withPicture = NewDeco(0x4000, 0x4000);
    withPicture->flags = kDecoImage;
    withPicture->imageType = 1;
    withPicture->imagePath = picture;
    AddDecoration(withPicture);

    const uint32_t conditions[8][2] = {{0x1, 0x1},     {0x900, 0x900}, {0xA00, 0xA00},
                                       {0xC00, 0xC00}, {0x10, 0x10},   {0x20, 0x20},
                                       {0x1000, 0x1000}, {0, 0x30}};
    for (int i = 0; i < 8; ++i) {
      CDayDeco* deco = NewDeco(conditions[i][0], conditions[i][1]);
      deco->flags = kDecoColour | kDecoShadow | kDecoFrame | kDecoMark;
      deco->colour = RGB(20 * i, 0, 200 - 20 * i);
      deco->shadowColour = kGrey;
      deco->frameLine = i % 2;
      deco->frameColour = kBlue;
      deco->markType = i % 3;
      deco->markColour = RGB(200, 230, 255);
      AddDecoration(deco);
    }
    for (int day = 1; day <= 31; ++day) {
      AddMemo(2025, 1, day, "memo " + std::to_string(day));
    }
    app.homeYear = 2025;
    app.homeMonth = 1;
    app.homeDay = 15;
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
  const double redraw = MillisecondsPerRun(runs, [&] { app.Redraw(); });
  const double blit = MillisecondsPerRun(runs, [&] {
    BitBlt(copyDC, 0, 0, app.layout.clientWidth, app.layout.clientHeight, app.composeDC, 0, 0,
           SRCCOPY);
    GdiFlush();
  });
  // Where the time goes: one picture decoded, the month without pictures, and without
  // tooltips as well.
  const std::string picture = settings->DayDecoDef.front()->imagePath;
  const double load = MillisecondsPerRun(runs, [&] {
    ImageFile image;
    app.imageLoader.Load(picture, image);
    DeleteObject(image.bitmap);
  });
  settings->DayDecoDef.front()->flags = 0;
  const double withoutPictures = MillisecondsPerRun(runs, [&] { app.Redraw(); });
  const HWND tooltip = app.tooltip;
  app.Redraw();
  app.tooltip = nullptr;
  const double withoutTips = MillisecondsPerRun(runs, [&] { app.Redraw(); });
  app.tooltip = tooltip;

  printf("Redraw                        %8.3f ms\n", redraw);
  printf("BitBlt of the same bitmap     %8.3f ms\n", blit);
  printf("ratio                         %8.0f\n", blit > 0 ? redraw / blit : 0.0);
  printf("one picture decoded           %8.3f ms\n", load);
  printf("Redraw without pictures       %8.3f ms\n", withoutPictures);
  printf("  and without tooltips        %8.3f ms\n", withoutTips);

  SelectObject(copyDC, displaced);
  DeleteObject(copy);
  DeleteDC(copyDC);
}

}  // namespace
}  // namespace render_test
