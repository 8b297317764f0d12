// Day cells: decoration colours, marks, frames, pictures and tooltips, drawn into memory
// device contexts and read back.
#include "render_fixture.h"

#include <objidl.h>
#include <gdiplus.h>

#include "calendar/blit_image.h"
#include "calendar/image_loader.h"

namespace render_test {
namespace {

using DayCellsTest = RenderTest;

TEST_F(DayCellsTest, HolidayAndMemoColoursReachTheirCells) {
  rules.push_back(NewFixedHoliday(1, 1, kGantan));
  rules.push_back(NewFixedHoliday(1, 13, "Seijin"));
  CDayDeco* holiday = NewDeco(0x900, 0x900);  // 祝日, colour only
  holiday->flags = kDecoColour;
  holiday->colour = kRed;
  AddDecoration(holiday);
  // The memo's own colour beats the list's holiday colour; its shadow comes from the list.
  AddMemo(2025, 1, 13, "memo", [](CDayDeco& d) {
    d.flags = kDecoColour;
    d.colour = kBlue;
  });
  Show(2025, 1);

  EXPECT_GT(CountColour(CellOf(1), kRed), 0);
  EXPECT_GT(CountColour(CellOf(1), kGrey), 0);
  EXPECT_EQ(CountColour(CellOf(1), kBlack), 0);

  EXPECT_GT(CountColour(CellOf(13), kBlue), 0);
  EXPECT_GT(CountColour(CellOf(13), kGrey), 0);
  EXPECT_EQ(CountColour(CellOf(13), kRed), 0);

  EXPECT_GT(CountColour(CellOf(14), kBlack), 0);
  EXPECT_EQ(CountColour(CellOf(14), kRed) + CountColour(CellOf(14), kBlue), 0);
}

TEST_F(DayCellsTest, TodayIsMarkedOnlyInTheHomeMonth) {
  CDayDeco* today = NewDeco(0x1, 0x1);
  today->flags = kDecoColour;
  today->colour = kGreen;
  AddDecoration(today);
  app.homeYear = 2025;
  app.homeMonth = 1;
  app.homeDay = 15;
  Show(2025, 1);
  EXPECT_GT(CountColour(CellOf(15), kGreen), 0);
  EXPECT_EQ(CountColour(CellOf(16), kGreen), 0);
  Navigate(2025, 2);
  EXPECT_EQ(CountColour(CellOf(15), kGreen), 0);
}

// Memo decoration giving text, shadow and mark one colour, so the mark centre has that
// colour whether the number covers it or not.
std::function<void(CDayDeco&)> Mark(int type, COLORREF colour) {
  return [=](CDayDeco& d) {
    d.flags = kDecoColour | kDecoShadow | kDecoMark;
    d.colour = d.shadowColour = colour == 0xFFFFFFFF ? kBlack : colour;
    d.markType = type;
    d.markColour = colour;
  };
}

TEST_F(DayCellsTest, SquareAndCircleMarks) {
  AddMemo(2025, 1, 6, "", Mark(1, kGreen));
  AddMemo(2025, 1, 7, "", Mark(2, kGreen));
  AddMemo(2025, 1, 8, "", Mark(1, 0xFFFFFFFF));
  AddMemo(2025, 1, 9, "", Mark(2, 0xFFFFFFFF));
  Show(2025, 1);
  SaveCompose(L"day_cells_marks");

  const RECT square = MarkRectOf(6);
  EXPECT_EQ(Pixel((square.left + square.right) / 2, (square.top + square.bottom) / 2), kGreen);
  EXPECT_EQ(Pixel(square.left, square.top), kGreen);
  EXPECT_EQ(Pixel(square.right - 1, square.bottom - 1), kGreen);
  EXPECT_EQ(Pixel(square.right, square.bottom), kWhite);  // the box ends there

  const RECT circle = MarkRectOf(7);
  EXPECT_EQ(Pixel((circle.left + circle.right) / 2, (circle.top + circle.bottom) / 2), kGreen);
  EXPECT_EQ(Pixel(circle.left + 1, (circle.top + circle.bottom) / 2), kGreen);
  for (POINT corner :
       {POINT{circle.left, circle.top}, POINT{circle.right - 1, circle.top},
        POINT{circle.left, circle.bottom - 1}, POINT{circle.right - 1, circle.bottom - 1}}) {
    EXPECT_EQ(Pixel(corner.x, corner.y), kWhite) << corner.x << "," << corner.y;
  }

  // Colour -1 means no brush: neither shape paints anything.
  for (int day : {8, 9}) {
    const RECT box = MarkRectOf(day);
    EXPECT_EQ(Pixel(box.left, box.top), kWhite) << day;
    EXPECT_EQ(Pixel(box.left + 1, (box.top + box.bottom) / 2), kWhite) << day;
    EXPECT_EQ(Pixel(box.right - 2, (box.top + box.bottom) / 2), kWhite) << day;
  }
}

TEST_F(DayCellsTest, FrameRunsAroundTheMarkBox) {
  AddMemo(2025, 1, 10, "", [](CDayDeco& d) {
    d.flags = kDecoFrame;
    d.frameLine = 1;  // solid
    d.frameColour = kBlue;
  });
  AddMemo(2025, 1, 11, "", [](CDayDeco& d) {
    d.flags = kDecoFrame;
    d.frameLine = 0;  // present but off: no frame, and none from the list either
    d.frameColour = kBlue;
  });
  CDayDeco* everyDay = NewDeco(0, 0);
  everyDay->flags = kDecoFrame;
  everyDay->frameLine = 1;
  everyDay->frameColour = kRed;
  AddDecoration(everyDay);
  Show(2025, 1);

  const RECT box = MarkRectOf(10);
  const LONG l = box.left - 1, t = box.top - 1, r = box.right, b = box.bottom;
  for (POINT p : {POINT{l, t}, POINT{l, b}, POINT{r, b}, POINT{r, t}, POINT{l, (t + b) / 2},
                  POINT{(l + r) / 2, b}, POINT{r, (t + b) / 2}, POINT{(l + r) / 2, t}}) {
    EXPECT_EQ(Pixel(p.x, p.y), kBlue) << p.x << "," << p.y;
  }
  // The frame and the box it surrounds; the row below's frames start under it.
  auto framed = [&](int day) {
    const RECT b = MarkRectOf(day);
    return RECT{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1};
  };
  EXPECT_EQ(CountColour(framed(10), kRed), 0);
  EXPECT_EQ(CountColour(framed(11), kRed) + CountColour(framed(11), kBlue), 0);
  // Days without a memo take the list's red frame.
  const RECT plain = MarkRectOf(12);
  EXPECT_EQ(Pixel(plain.left - 1, plain.top - 1), kRed);
  EXPECT_EQ(Pixel(plain.right, plain.bottom), kRed);
}

// Loads a picture file into a fresh memory context for BlitImage.
class LoadedPicture {
 public:
  LoadedPicture(ImageLoader& loader, const std::string& path) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    loaded = loader.Load(path, image);
    if (loaded) displaced = SelectObject(dc, image.bitmap);
  }
  ~LoadedPicture() {
    if (loaded) {
      SelectObject(dc, displaced);
      DeleteObject(image.bitmap);
    }
    DeleteDC(dc);
  }

  HDC dc = nullptr;
  HGDIOBJ displaced = nullptr;
  ImageFile image;
  bool loaded = false;
};

// A 40 x 40 blue target for one BlitImage call.
class Canvas {
 public:
  Canvas() {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 40, 40);
    ReleaseDC(nullptr, screen);
    displaced = SelectObject(dc, bitmap);
    HBRUSH blue = CreateSolidBrush(kBlue);
    const RECT all = {0, 0, 40, 40};
    FillRect(dc, &all, blue);
    DeleteObject(blue);
  }
  ~Canvas() {
    SelectObject(dc, displaced);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  int Count(COLORREF colour) const {
    int n = 0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) n += At(x, y) == colour;
    }
    return n;
  }

  HDC dc;
  HBITMAP bitmap;
  HGDIOBJ displaced;
};

COLORREF Gradient(int x, int y) { return RGB(x * 6, y * 6, 128); }

COLORREF Quadrants(int x, int y, int size) {
  const bool right = x >= size / 2, lower = y >= size / 2;
  if (!lower) return right ? kGreen : kRed;
  return right ? RGB(255, 255, 0) : kBlack;
}

// 16 x 32: the picture (red left half on white) over its mask (black where it shows).
COLORREF HalfRedWithMask(int x, int y) {
  if (y < 16) return x < 8 ? kRed : kWhite;
  return x < 8 ? kBlack : kWhite;
}

TEST_F(DayCellsTest, PicturesAreBlittedByTheirTypeIntoTheBox) {
  struct Probe {
    int x, y;
    COLORREF colour;
  };
  const struct {
    const char* name;
    int width, height;
    std::function<COLORREF(int, int)> colourAt;
    RECT box;
    int type, blitted;
    std::vector<Probe> probes;
    int redPixels;  // -1: not counted
  } kCases[] = {
      // Type 1 centres the upper half through the lower half's mask; white lets the
      // background show, the mask half never shows.
      {"transparent", 16, 32, HalfRedWithMask, {0, 0, 20, 20}, 1, 1,
       {{2, 2, kRed}, {9, 17, kRed}, {10, 2, kBlue}, {17, 17, kBlue}, {1, 1, kBlue}, {2, 18, kBlue}},
       8 * 16},
      // Type 2 keeps the natural size: the middle of a larger picture, or a smaller one centred.
      {"natural, cropped", 40, 40, Gradient, {5, 5, 25, 25}, 2, 1,
       {{5, 5, Gradient(10, 10)}, {24, 24, Gradient(29, 29)}, {4, 4, kBlue}, {25, 25, kBlue}}, -1},
      {"natural, centred", 16, 16, Gradient, {0, 0, 20, 20}, 2, 1,
       {{2, 2, Gradient(0, 0)}, {17, 17, Gradient(15, 15)}, {1, 1, kBlue}, {18, 18, kBlue}}, -1},
      // Type 3 stretches the whole picture over the box, down or up.
      {"stretched down", 40, 40, [](int x, int y) { return Quadrants(x, y, 40); }, {0, 0, 20, 20}, 3, 1,
       {{4, 4, kRed}, {15, 4, kGreen}, {4, 15, kBlack}, {15, 15, RGB(255, 255, 0)}, {20, 20, kBlue},
        {0, 20, kBlue}}, -1},
      {"stretched up", 8, 8, [](int x, int y) { return Quadrants(x, y, 8); }, {0, 0, 32, 32}, 3, 1,
       {{2, 2, kRed}, {29, 29, RGB(255, 255, 0)}, {33, 33, kBlue}}, -1},
      // No type, or one the program does not know, draws nothing.
      {"type 0", 16, 16, Gradient, {0, 0, 20, 20}, 0, 0, {}, 0},
      {"type 4", 16, 16, Gradient, {0, 0, 20, 20}, 4, 0, {}, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string path = TempFolder() + "blit_" + std::to_string(c.width) + "x" +
                             std::to_string(c.height) + ".bmp";
    WriteBmp(path, c.width, c.height, c.colourAt);
    LoadedPicture picture(app.imageLoader, path);
    ASSERT_TRUE(picture.loaded);
    EXPECT_EQ(picture.image.width, c.width);
    EXPECT_EQ(picture.image.height, c.height);
    Canvas canvas;
    EXPECT_EQ(BlitImage(canvas.dc, c.box, picture.dc, picture.image, c.type), c.blitted);
    for (const Probe& p : c.probes) EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << p.x << "," << p.y;
    if (c.redPixels >= 0) {
      EXPECT_EQ(canvas.Count(kRed), c.redPixels);
    }
    if (!c.blitted) {
      EXPECT_EQ(canvas.Count(kBlue), 40 * 40) << "nothing drawn";
    }
  }
  // Without a picture nothing is drawn either.
  LoadedPicture picture(app.imageLoader, TempFolder() + "blit_16x16.bmp");
  Canvas canvas;
  EXPECT_EQ(BlitImage(canvas.dc, RECT{0, 0, 20, 20}, picture.dc, ImageFile(), 2), 0);
  EXPECT_EQ(canvas.Count(kBlue), 40 * 40);
}

TEST_F(DayCellsTest, LoaderReadsPicturesAndRefusesEverythingElse) {
  ImageFile image;
  EXPECT_FALSE(app.imageLoader.Load(TempFolder() + "no-such-file.png", image));
  EXPECT_EQ(image.bitmap, nullptr);
  EXPECT_FALSE(app.imageLoader.Load("", image));
  EXPECT_EQ(image.bitmap, nullptr);

  const std::string garbage = TempFolder() + "garbage.png";
  {
    std::ofstream out(garbage, std::ios::binary);
    out << "this is not a picture";
  }
  EXPECT_FALSE(app.imageLoader.Load(garbage, image));
  EXPECT_EQ(image.bitmap, nullptr);

  // A path in Shift_JIS (写真.bmp) is found.
  const std::string japanese = TempFolder() + "\x8e\xca\x90\x5e.bmp";
  WriteBmp(japanese, 6, 4, [](int, int) { return kGreen; });
  ASSERT_TRUE(app.imageLoader.Load(japanese, image));
  EXPECT_EQ(image.width, 6);
  EXPECT_EQ(image.height, 4);
  DeleteObject(image.bitmap);
}

// Writes a PNG through GDI+: red where opaque, fully transparent elsewhere.
bool WritePng(const std::wstring& path, int width, int height,
              const std::function<bool(int, int)>& opaque) {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
  bool saved = false;
  {
    Gdiplus::Bitmap picture(width, height, PixelFormat32bppARGB);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        picture.SetPixel(x, y, opaque(x, y) ? Gdiplus::Color(255, 255, 0, 0)
                                            : Gdiplus::Color(0, 0, 0, 255));
      }
    }
    // The PNG encoder of GDI+.
    const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    saved = picture.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
  }
  Gdiplus::GdiplusShutdown(token);
  return saved;
}

TEST_F(DayCellsTest, TransparentPartsOfAPngComeOutWhite) {
  const std::string path = TempFolder() + "alpha.png";
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  ASSERT_TRUE(WritePng(wide, 10, 6, [](int x, int) { return x < 5; }));
  LoadedPicture picture(app.imageLoader, path);
  ASSERT_TRUE(picture.loaded);
  EXPECT_EQ(picture.image.width, 10);
  EXPECT_EQ(picture.image.height, 6);
  EXPECT_EQ(GetPixel(picture.dc, 1, 1), kRed);
  // White is what the masks and the button strip treat as "background shows through".
  EXPECT_EQ(GetPixel(picture.dc, 8, 4), kWhite);
}

TEST_F(DayCellsTest, PicturesGoUnderOrOverTheMarkAndMissingOnesAreSkipped) {
  const std::string path = TempFolder() + "cell_red.bmp";
  // Large enough to cover any mark box; the transparent one is red everywhere its mask is
  // black: the left half.
  WriteBmp(path, 60, 60, [](int, int) { return kRed; });
  const std::string halfRed = TempFolder() + "cell_half.bmp";
  WriteBmp(halfRed, 60, 120, [](int x, int y) {
    if (y < 60) return x < 30 ? kRed : kWhite;
    return x < 30 ? kBlack : kWhite;
  });
  auto withPicture = [](int type, const std::string& file) {
    return [=](CDayDeco& d) {
      d.flags = kDecoMark | kDecoImage;
      d.markType = 1;
      d.markColour = kGreen;
      d.imageType = type;
      d.imagePath = file;
    };
  };
  AddMemo(2025, 1, 20, "", withPicture(2, path));     // under the mark: green shows
  AddMemo(2025, 1, 21, "", withPicture(3, path));     // stretched, under the mark too
  AddMemo(2025, 1, 22, "", withPicture(1, halfRed));  // over the mark, left half red
  AddMemo(2025, 1, 23, "", withPicture(1, TempFolder() + "missing.bmp"));
  Show(2025, 1);
  SaveCompose(L"day_cells_pictures");

  for (int day : {20, 21}) {
    const RECT box = MarkRectOf(day);
    EXPECT_EQ(CountColour(box, kRed), 0) << day;
    EXPECT_EQ(Pixel(box.left, box.top), kGreen) << day;
  }
  const RECT over = MarkRectOf(22);
  EXPECT_EQ(Pixel(over.left, over.top), kRed);
  EXPECT_EQ(Pixel(over.right - 1, over.bottom - 1), kGreen);
  // The missing picture leaves the mark and the number.
  const RECT missing = MarkRectOf(23);
  EXPECT_EQ(Pixel(missing.left, missing.top), kGreen);
  EXPECT_GT(CountColour(CellOf(23), kBlack), 0);
}

const Tool* ToolFor(const std::vector<Tool>& tools, const RECT& cell) {
  for (const Tool& tool : tools) {
    if (EqualRect(&tool.rect, &cell)) return &tool;
  }
  return nullptr;
}

TEST_F(DayCellsTest, TooltipsNameHolidaysAndShowMemos) {
  // 1 January 2023 is a Sunday: the 2nd is a substitute holiday without a name.
  rules.push_back(NewFixedHoliday(1, 1, kGantan));
  AddMemo(2023, 1, 1, "memo");
  AddMemo(2023, 1, 20, "\x89\xef\x8b\x63");  // 会議
  Show(2023, 1);

  std::vector<Tool> tools = Tools(app.tooltip);
  ASSERT_EQ(tools.size(), 3u);
  EXPECT_EQ(app.toolCount, 3);
  const Tool* gantan = ToolFor(tools, CellOf(1));
  ASSERT_NE(gantan, nullptr);
  EXPECT_EQ(gantan->text, std::string("[") + kGantan + "]memo");
  const Tool* substitute = ToolFor(tools, CellOf(2));
  ASSERT_NE(substitute, nullptr);
  EXPECT_EQ(substitute->text, "[]");
  const Tool* memo = ToolFor(tools, CellOf(20));
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->text, "\x89\xef\x8b\x63");
  EXPECT_EQ(ToolFor(tools, CellOf(3)), nullptr);

  // Every redraw replaces the tools and numbers them from 1000 again.
  app.Redraw();
  tools = Tools(app.tooltip);
  ASSERT_EQ(tools.size(), 3u);
  std::vector<UINT_PTR> ids;
  for (const Tool& tool : tools) ids.push_back(tool.id);
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids, (std::vector<UINT_PTR>{1000, 1001, 1002}));

  Navigate(2023, 2);
  tools = Tools(app.tooltip);
  EXPECT_EQ(tools.size(), 0u);
  EXPECT_EQ(app.toolCount, 0);
}

// A month as a user might decorate it, kept as an artifact to look at, and each decoration
// found in its own cells and in no other.
TEST_F(DayCellsTest, DecoratedMonthShowsEachDecorationInItsCells) {
  constexpr COLORREF kHolidayMark = RGB(220, 40, 40), kSundayText = RGB(200, 0, 0),
                     kSaturdayText = RGB(30, 80, 220), kTodayFrame = RGB(0, 120, 0),
                     kMemoMark = RGB(200, 230, 255), kMemoText = RGB(0, 0, 160),
                     kStar = RGB(250, 200, 0);
  rules.push_back(NewFixedHoliday(1, 1, kGantan));
  rules.push_back(NewFixedHoliday(1, 13, "Seijin"));
  CDayDeco* holiday = NewDeco(0x900, 0x900);
  holiday->flags = kDecoColour | kDecoMark;
  holiday->colour = kWhite;
  holiday->markType = 2;
  holiday->markColour = kHolidayMark;
  CDayDeco* sunday = NewDeco(0x10, 0x10);
  sunday->flags = kDecoColour;
  sunday->colour = kSundayText;
  CDayDeco* saturday = NewDeco(0x20, 0x20);
  saturday->flags = kDecoColour;
  saturday->colour = kSaturdayText;
  CDayDeco* today = NewDeco(0x1, 0x1);
  today->flags = kDecoFrame;
  today->frameLine = 1;
  today->frameColour = kTodayFrame;
  AddDecoration(holiday);
  AddDecoration(today);
  AddDecoration(sunday);
  AddDecoration(saturday);
  const std::string star = TempFolder() + "star.bmp";
  WriteBmp(star, 16, 32, [=](int x, int y) {
    const int cx = x - 8, cy = (y % 16) - 8;
    const bool inside = cx * cx + cy * cy < 36;
    if (y < 16) return inside ? kStar : kWhite;
    return inside ? kBlack : kWhite;
  });
  AddMemo(2025, 1, 8, "dentist", [=](CDayDeco& d) {
    d.flags = kDecoMark | kDecoColour;
    d.markType = 1;
    d.markColour = kMemoMark;
    d.colour = kMemoText;
  });
  AddMemo(2025, 1, 24, "party", [&](CDayDeco& d) {
    d.flags = kDecoImage;
    d.imageType = 1;
    d.imagePath = star;
  });
  app.homeYear = 2025;
  app.homeMonth = 1;
  app.homeDay = 15;
  Show(2025, 1);
  SaveCompose(L"day_cells_decorated_month");

  // January 2025 starts on a Wednesday: Saturdays 4, 11, 18, 25 and Sundays 5, 12, 19, 26.
  const struct {
    COLORREF colour;
    std::vector<int> days;
  } kCases[] = {
      {kHolidayMark, {1, 13}}, {kSundayText, {5, 12, 19, 26}}, {kSaturdayText, {4, 11, 18, 25}},
      {kTodayFrame, {15}},     {kMemoMark, {8}},               {kMemoText, {8}},
      {kStar, {24}},
  };
  // A frame runs one pixel outside its box, into the last row or column of the cells above
  // and to the left, so those are left out.
  auto inner = [&](int day) {
    const RECT cell = CellOf(day);
    return RECT{cell.left, cell.top, cell.right - 1, cell.bottom - 1};
  };
  for (const auto& c : kCases) {
    for (int day = 1; day <= 31; ++day) {
      const bool wanted = std::find(c.days.begin(), c.days.end(), day) != c.days.end();
      EXPECT_EQ(CountColour(inner(day), c.colour) > 0, wanted)
          << "colour " << std::hex << c.colour << std::dec << " on day " << day;
    }
  }
  // The holiday's circle and the memo's square fill their mark boxes; the frame runs
  // around today's box.
  for (int day : {1, 13}) EXPECT_GT(CountColour(MarkRectOf(day), kHolidayMark), 0) << day;
  const RECT memo = MarkRectOf(8);
  EXPECT_EQ(Pixel(memo.left, memo.top), kMemoMark);
  EXPECT_EQ(Pixel(memo.right - 1, memo.bottom - 1), kMemoMark);
  const RECT box = MarkRectOf(15);
  for (POINT p : {POINT{box.left - 1, box.top - 1}, POINT{box.right, box.bottom},
                  POINT{box.left - 1, box.bottom}, POINT{box.right, box.top - 1}}) {
    EXPECT_EQ(Pixel(p.x, p.y), kTodayFrame) << p.x << "," << p.y;
  }
}

}  // namespace
}  // namespace render_test
