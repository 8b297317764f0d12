// The look of the first start: the shipped settings draw the calendar on a fill of its own,
// so every text stays legible whatever the desktop behind it, light or dark.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "calendar/day_deco.h"
#include "docs/settings.h"
#include "temp_data_folder.h"

namespace {

constexpr int kFillMode = 1;

// Relative luminance of a colour reference (0x00BBGGRR), as the WCAG define it.
double Luminance(uint32_t colour) {
  auto channel = [](uint32_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour & 0xFF) + 0.7152 * channel((colour >> 8) & 0xFF) +
         0.0722 * channel((colour >> 16) & 0xFF);
}

double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class ShippedLook : public TempDataFolder {
 protected:
  void SetUp() override {
    TempDataFolder::SetUp();
    std::ifstream in(std::string(ZANTO_SOURCE_DIR) + "/resources/Settings.xml", std::ios::binary);
    WriteFile("Settings.xml", std::string(std::istreambuf_iterator<char>(in), {}));
    ASSERT_EQ(settings.Load(), 0);
  }

  uint32_t TextColour(uint32_t word) const {
    CDayDeco deco;
    settings.DayDecoDef.ApplyDecorations(word, deco);
    return deco.colour;
  }

  CSettings settings;
};

TEST_F(ShippedLook, EveryTextStandsOutFromTheCalendarsOwnFill) {
  // The fill, not the wallpaper (white numbers on a white wallpaper are unreadable) nor the
  // colour key, and the fill is a colour of its own, not the desktop's.
  EXPECT_EQ(settings.Options.BackMode, kFillMode);
  EXPECT_EQ(settings.BackPaint.ModeUnavail & (1 << kFillMode), 0);
  const uint32_t fill = static_cast<uint32_t>(settings.BackPaint.ColorBack);
  ASSERT_EQ(fill & 0xFF000000u, 0u) << "a plain colour";

  struct Text {
    const char* what;
    uint32_t colour;
  };
  const Text texts[] = {
      {"heading", static_cast<uint32_t>(settings.MonthExpression.Color)},
      {"weekday", TextColour(0x40)},
      {"today", TextColour(0x40 | 0x1)},
      {"Saturday", TextColour(0x20)},
      {"Sunday", TextColour(0x10)},
      {"national holiday", TextColour(0x40 | 0x900)},
      {"substitute holiday", TextColour(0x40 | 0xA00)},
      {"other holiday", TextColour(0x40 | 0xC00)},
  };
  // 4.5 to 1: the contrast the WCAG ask of normal text.
  for (const Text& text : texts) {
    EXPECT_GE(Contrast(text.colour, fill), 4.5) << text.what;
  }
  CDayDeco today;
  settings.DayDecoDef.ApplyDecorations(0x40 | 0x1, today);
  EXPECT_GE(Contrast(today.frameColour, fill), 3.0) << "the frame around today";
}

}  // namespace
