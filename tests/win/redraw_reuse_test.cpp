// What a redraw keeps from the last one (decoded decoration pictures, the day tips) must never
// show: the picture and the tips are exactly those a fresh drawing gives, after month steps,
// after the picture file changed, and after a thousand redraws without a GDI object more.
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "busy_month.h"
#include "calendar/picture_cache.h"
#include "docs/data_folder.h"
#include "support/gdi_objects.h"

// After the project headers: the shell headers bring a COM XMLDocument of their own.
#include <shlobj.h>

namespace render_test {
namespace {

using Pixels = std::vector<DWORD>;

class RedrawReuseTest : public BusyMonthTest {
 protected:
  Pixels Capture() const {
    // The bitmap may not be selected while its bits are read.
    SelectObject(app.composeDC, app.composeDisplaced);
    Pixels pixels = driver::BitmapPixels(app.composeDC, app.composeBitmap, app.layout.clientWidth,
                                         app.layout.clientHeight);
    SelectObject(app.composeDC, app.composeBitmap);
    return pixels;
  }

  // The month as a drawing without any kept picture gives it.
  Pixels FreshCapture() {
    app.ReleasePictures();
    app.Redraw();
    return Capture();
  }

  // The tools a drawing on a new tooltip control gives. The test's own control is emptied,
  // so the next redraw adds every tip to it afresh.
  std::vector<Tool> FreshTools() {
    HWND kept = app.tooltip;
    app.tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                                  0, 0, app.mainWindow, nullptr, nullptr, nullptr);
    app.toolCount = 0;
    app.Redraw();
    std::vector<Tool> tools = Tools(app.tooltip);
    DestroyWindow(app.tooltip);
    app.tooltip = kept;
    for (const Tool& tool : Tools(kept)) {
      TOOLINFOA info = {};
      info.cbSize = TTTOOLINFOA_V2_SIZE;
      info.hwnd = app.mainWindow;
      info.uId = tool.id;
      SendMessageA(kept, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
    app.toolCount = 0;
    return tools;
  }

  int PictureColourIn(int day, COLORREF colour) const {
    return CountColour(MarkRectOf(day), colour);
  }
};

TEST_F(RedrawReuseTest, KeptPicturesDrawExactlyWhatAFreshDrawingDraws) {
  BusyMonth();
  Show(2025, 1);
  const Pixels first = Capture();
  SaveCompose(L"redraw_reuse_busy_month");
  for (int day : kPictureDays) EXPECT_GT(PictureColourIn(day, kPictureColour), 0) << day;

  app.Redraw();
  EXPECT_EQ(Capture(), first) << "second redraw";
  Navigate(2025, 2);
  Navigate(2025, 1);
  EXPECT_EQ(Capture(), first) << "a month step there and back";
  EXPECT_EQ(FreshCapture(), first) << "drawn with the cache emptied";

  // The user edits the picture between two redraws: the next one shows the new picture.
  const COLORREF edited = RGB(0, 120, 250);
  WritePicture(picture, edited);
  app.Redraw();
  const Pixels afterEdit = Capture();
  EXPECT_NE(afterEdit, first);
  for (int day : kPictureDays) {
    EXPECT_GT(PictureColourIn(day, edited), 0) << day;
    EXPECT_EQ(PictureColourIn(day, kPictureColour), 0) << day;
  }
  EXPECT_EQ(FreshCapture(), afterEdit);
  SaveCompose(L"redraw_reuse_edited_picture");

  // The picture goes: the cells are drawn without it, as a fresh drawing draws them.
  ASSERT_TRUE(DeleteFileA(picture.c_str()));
  app.Redraw();
  const Pixels withoutPicture = Capture();
  for (int day : kPictureDays) EXPECT_EQ(PictureColourIn(day, edited), 0) << day;
  EXPECT_EQ(FreshCapture(), withoutPicture);
}

TEST_F(RedrawReuseTest, BrokenPictureCostsOneAttemptUntilTheFileChanges) {
  BusyMonth();
  ASSERT_TRUE(DeleteFileA(picture.c_str()));
  Show(2025, 1);
  const size_t afterFirst = app.pictureCache.DecodeCount();
  for (int i = 0; i < 5; ++i) app.Redraw();
  EXPECT_EQ(app.pictureCache.DecodeCount(), afterFirst) << "a missing file is remembered";

  // Not a picture at all: one attempt, then remembered as undecodable.
  std::ofstream(picture, std::ios::binary) << "not a picture";
  app.Redraw();
  EXPECT_EQ(app.pictureCache.DecodeCount(), afterFirst + 1);
  app.Redraw();
  EXPECT_EQ(app.pictureCache.DecodeCount(), afterFirst + 1);
  for (int day : kPictureDays) EXPECT_EQ(PictureColourIn(day, kPictureColour), 0) << day;

  // A real picture replaces it: decoded once and drawn on all five days.
  WritePicture(picture, kPictureColour);
  app.Redraw();
  app.Redraw();
  EXPECT_EQ(app.pictureCache.DecodeCount(), afterFirst + 2);
  for (int day : kPictureDays) EXPECT_GT(PictureColourIn(day, kPictureColour), 0) << day;
}

TEST_F(RedrawReuseTest, CacheKeepsTheMostRecentlyUsedPicturesUpToItsBound) {
  std::vector<std::string> paths;
  for (int i = 0; i < 5; ++i) {
    paths.push_back(TempFolder() + "cached_" + std::to_string(i) + ".bmp");
    WritePicture(paths.back(), RGB(10 * i, 0, 0));
  }
  PictureCache cache(3);
  // GDI+ is started and has made whatever it keeps before the counting begins.
  ImageFile warm;
  ASSERT_TRUE(app.imageLoader.Load(paths[0], warm));
  DeleteObject(warm.bitmap);
  const int before = driver::LiveGdiObjects();
  for (const std::string& path : paths) ASSERT_NE(cache.Find(path, app.imageLoader), nullptr);
  EXPECT_EQ(cache.Size(), 3u);
  EXPECT_EQ(driver::LiveGdiObjects(), before + 3) << "only the kept bitmaps stay alive";
  EXPECT_EQ(cache.DecodeCount(), 5u);

  // 2, 3 and 4 are kept; using 2 makes 3 the oldest, so 0 pushes out 3, and later 3 pushes
  // out 0, by then the oldest.
  const struct {
    int index;
    size_t decodesAfter;
  } steps[] = {{4, 5}, {2, 5}, {0, 6}, {2, 6}, {4, 6}, {3, 7}, {0, 8}};
  for (const auto& step : steps) {
    const ImageFile* image = cache.Find(paths[step.index], app.imageLoader);
    ASSERT_NE(image, nullptr) << step.index;
    EXPECT_EQ(image->width, 16);
    EXPECT_EQ(image->height, 32);
    EXPECT_EQ(cache.DecodeCount(), step.decodesAfter) << "after picture " << step.index;
  }
  cache.Clear();
  EXPECT_EQ(driver::LiveGdiObjects(), before);
}

TEST_F(RedrawReuseTest, TipsAfterAMonthOfThreeAreThoseOfAFreshDrawing) {
  BusyMonth();
  // February holds only three memos, one of them on a day whose January cell had a tip too.
  AddMemo(2025, 2, 3, "feb 3");
  AddMemo(2025, 2, 11, "\x89\xef\x8b\x63");  // 会議
  AddMemo(2025, 2, 28, "feb 28");
  Show(2025, 1);
  const std::vector<Tool> january = Tools(app.tooltip);
  ASSERT_EQ(january.size(), 31u);
  EXPECT_EQ(january, FreshTools());
  app.Redraw();

  Navigate(2025, 2);
  const std::vector<Tool> february = Tools(app.tooltip);
  ASSERT_EQ(february.size(), 3u);
  EXPECT_EQ(app.toolCount, 3);
  const Tool expected[] = {{1000, CellOf(3), "feb 3"},
                           {1001, CellOf(11), "\x89\xef\x8b\x63"},
                           {1002, CellOf(28), "feb 28"}};
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(february[i], expected[i]) << i;

  Navigate(2025, 1);
  const std::vector<Tool> back = Tools(app.tooltip);
  EXPECT_EQ(back, january);
  EXPECT_EQ(app.toolCount, 31);
  EXPECT_EQ(Tools(app.tooltip)[0].text, std::string("[") + kGantan + "]memo 1");
  EXPECT_EQ(Tools(app.tooltip)[2].text, "[table12]memo 3");

  // A month without any tip removes them all; the next one starts at 1000 again.
  Navigate(2025, 3);
  EXPECT_TRUE(Tools(app.tooltip).empty());
  EXPECT_EQ(app.toolCount, 0);
  Navigate(2025, 2);
  EXPECT_EQ(Tools(app.tooltip), std::vector<Tool>(expected, expected + 3));
}

TEST_F(RedrawReuseTest, ThousandRedrawsWithPicturesLeaveNoGdiObjectBehind) {
  BusyMonth();
  Show(2025, 1);
  const int afterFirst = driver::LiveGdiObjects();

  // The count moves when an object is made: the comparison below can fail.
  HBRUSH probe = CreateSolidBrush(kRed);
  EXPECT_EQ(driver::LiveGdiObjects(), afterFirst + 1);
  DeleteObject(probe);

  for (int i = 0; i < 1000; ++i) {
    if (i % 100 == 50) Navigate(2025, 2);
    if (i % 100 == 51) Navigate(2025, 1);
    app.Redraw();
  }
  EXPECT_EQ(driver::LiveGdiObjects(), afterFirst);
  EXPECT_EQ(app.pictureCache.Size(), 1u);
}

// A year file edited by hand with memos out of date order.
void WriteYearFile(int year, const std::vector<int>& days) {
  std::string folder = DataFolder;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  std::ofstream out(MemoFilePath("ZantoRenderTestMemo", year), std::ios::binary);
  out << "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><DateNoteTable>";
  for (int day : days) {
    out << "<DateNote year=\"" << year << "\" month=\"1\" date=\"" << day << "\"><Title>day "
        << day << "</Title></DateNote>";
  }
  out << "</DateNoteTable>";
}

TEST_F(RedrawReuseTest, HandEditedYearFileOutOfOrderHidesOnlyTheMisplacedMemo) {
  std::vector<int> lateBeforeThirty;
  for (int day = 1; day <= 29; ++day) lateBeforeThirty.push_back(day);
  lateBeforeThirty.push_back(31);
  lateBeforeThirty.push_back(30);
  std::vector<int> lateFirst = {31};
  for (int day = 1; day <= 30; ++day) lateFirst.push_back(day);

  const struct {
    int year;
    std::vector<int> days;
  } files[] = {{2031, lateBeforeThirty}, {2032, lateFirst}};
  for (const auto& file : files) {
    WriteYearFile(file.year, file.days);
    Show(file.year, 1);
    const std::vector<Tool> tools = Tools(app.tooltip);
    ASSERT_EQ(app.monthMemos.size(), 31u) << file.year;
    // Days 1 to 30 keep their memo; only the misplaced 31st is missed.
    ASSERT_EQ(tools.size(), 30u) << file.year;
    for (int day = 1; day <= 30; ++day) {
      EXPECT_EQ(tools[day - 1].text, "day " + std::to_string(day)) << file.year << " " << day;
      const RECT cell = CellOf(day);
      EXPECT_TRUE(EqualRect(&tools[day - 1].rect, &cell)) << file.year << " " << day;
    }
    DeleteFileA(MemoFilePath("ZantoRenderTestMemo", file.year).c_str());
  }
}

}  // namespace
}  // namespace render_test
