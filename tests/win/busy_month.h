// January 2025 as a busy user sees it: a memo on every day, ten decoration types, one of
// them a transparent picture on the five days of "other table 12". Shared by the redraw
// benchmark and the tests that check what the benchmark's speed-ups draw.
#pragma once

#include <string>

#include "render_fixture.h"

namespace render_test {

class BusyMonthTest : public RenderTest {
 protected:
  // Days of the month that carry the picture.
  static constexpr int kPictureDays[5] = {3, 10, 17, 24, 31};
  static constexpr COLORREF kPictureColour = RGB(250, 200, 0);

  // A 16 x 32 transparent decoration picture: colour on white above, its mask below.
  static void WritePicture(const std::string& path, COLORREF colour) {
    WriteBmp(path, 16, 32, [colour](int x, int y) {
      if (y < 16) return (x + y) % 4 ? colour : kWhite;
      return (x + y) % 4 ? kBlack : kWhite;
    });
  }

  void BusyMonth() {
    for (int day : kPictureDays) {
      Holiday* rule = NewFixedHoliday(1, day, "table12");
      rule->kind = 12;
      rule->bits = 0x4000;
      rules.push_back(rule);
    }
    rules.push_back(NewFixedHoliday(1, 1, kGantan));
    rules.push_back(NewFixedHoliday(1, 13, "Seijin"));

    picture = TempFolder() + "bench_picture.bmp";
    WritePicture(picture, kPictureColour);
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

  std::string picture;
};

}  // namespace render_test
