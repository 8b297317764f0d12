// Layout and the off-screen picture of the calendar: fonts, measuring, the button strip,
// the heading and the weekday row. The day grid is drawn in day_cells_win.cpp.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/calendar_app.h"
#include "calendar/gdi_guard.h"
#include "calendar/layout.h"
#include "calendar/month_heading.h"
#include "calendar/month_model.h"
#include "docs/settings.h"

namespace {

constexpr int kPlainButtonWidth = 24;
constexpr int kPlainButtonHeight = 20;
// The strip holds five columns (one per button) and four rows (image, mask, pressed image,
// pressed mask).
constexpr int kStripColumns = 5;
constexpr int kStripRows = 4;

SIZE Measure(HDC dc, const std::string& text) {
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  return size;
}

// Makes the font of a settings item at a DPI and selects it into dc. The stored height stays
// in 96-DPI pixels, so the file reads the same on every monitor. A font left from an earlier
// layout that nobody released is freed first so repeated layouts do not leak.
void MakeFont(HDC dc, CFontData& font, int dpi) {
  if (font.Handle) DeleteObject(font.Handle);
  LOGFONTA scaled = font.LogFont;
  scaled.lfHeight = ScaleForDpi(scaled.lfHeight, dpi);
  font.Handle = CreateFontIndirectA(&scaled);
  SelectObject(dc, font.Handle);
}

// The button image step: a strip that loads gives owner-drawn buttons of a fifth of its
// width and a quarter of its height; anything else gives plain push buttons.
void LoadButtonImage(CalendarApp& app) {
  if (app.buttonImage) {
    SelectObject(app.buttonImageDC, app.buttonImageDisplaced);
    DeleteObject(app.buttonImage);
    app.buttonImage = nullptr;
    app.buttonImageDisplaced = nullptr;
  }
  ImageFile strip;
  // A strip too small to give every button at least one pixel would make the buttons vanish.
  const bool usable = app.buttonImageDC && app.imageLoader.Load(app.options->Buttons, strip) &&
                      strip.width >= kStripColumns && strip.height >= kStripRows;
  if (!usable) {
    if (strip.bitmap) DeleteObject(strip.bitmap);
    app.ownerDrawButtons = false;
    app.buttonWidth = kPlainButtonWidth;
    app.buttonHeight = kPlainButtonHeight;
    return;
  }
  app.buttonImage = strip.bitmap;
  app.buttonImageDisplaced = SelectObject(app.buttonImageDC, strip.bitmap);
  app.ownerDrawButtons = true;
  app.buttonWidth = strip.width / kStripColumns;
  app.buttonHeight = strip.height / kStripRows;
}

// Position 0, 1, 2 are DT_LEFT, DT_CENTER, DT_RIGHT; other values from a hand-edited file
// would add unrelated DrawText flags, so they fall back to the left.
UINT Alignment(int position) {
  if (position == 1) return DT_CENTER;
  if (position == 2) return DT_RIGHT;
  return DT_LEFT;
}

void DrawTextIn(HDC dc, const std::string& text, RECT rect, UINT format, COLORREF colour) {
  SetTextColor(dc, colour);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

// A text with its shadow first, shifted by shadow pixels down and right.
void DrawShadowedText(HDC dc, const std::string& text, const RECT& rect, UINT format,
                      int shadow, COLORREF shadowColour, COLORREF colour) {
  if (shadow > 0) {
    const RECT moved = {rect.left + shadow, rect.top + shadow, rect.right + shadow,
                        rect.bottom + shadow};
    DrawTextIn(dc, text, moved, format, shadowColour);
  }
  DrawTextIn(dc, text, rect, format, colour);
}

uint32_t WeekdayWord(int weekday) {
  if (weekday == 0) return kSundayBit;
  if (weekday == 6) return kSaturdayBit;
  return 0;
}

}  // namespace

RECT CalendarApp::ComputeLayout() {
  LoadButtonImage(*this);
  CSettings& s = *settings;
  LayoutInput in;
  in.buttonBarHeight = buttonHeight;

  // Keep the context's own font selected between drawings, so the fonts can be deleted.
  ObjectSelection keepFont(composeDC, GetStockObject(SYSTEM_FONT));

  MakeFont(composeDC, s.MonthExpression.Font, kBaseDpi);
  for (const YearMonth& month :
       HeadingMonthsToMeasure(s.MonthExpression.Format, EraTable::Instance(), shownYear, shownMonth)) {
    const SIZE heading = Measure(composeDC, FormatHeading(month.year, month.month));
    in.headingWidth = std::max<int32_t>(in.headingWidth, heading.cx);
    in.headingHeight = std::max<int32_t>(in.headingHeight, heading.cy);
  }
  in.headingSpaceY = s.MonthExpression.SpaceY;
  in.headingShadow = s.MonthExpression.Font.Shadow;

  MakeFont(composeDC, s.HeaderExpression.Font, kBaseDpi);
  for (const std::string& title : WeekTitles(s.HeaderExpression.WeekTitle)) {
    const SIZE size = Measure(composeDC, title);
    in.titleWidth = std::max<int32_t>(in.titleWidth, size.cx);
    in.titleHeight = std::max<int32_t>(in.titleHeight, size.cy);
  }
  in.weekRowShown = s.HeaderExpression.Flag != 0;
  in.weekSpaceY = s.HeaderExpression.SpaceY;
  in.weekShadow = s.HeaderExpression.Font.Shadow;

  // One-digit numbers are never wider or taller than two-digit ones.
  MakeFont(composeDC, s.DateExpression.Font, kBaseDpi);
  for (int day = 10; day <= 31; ++day) {
    const SIZE size = Measure(composeDC, std::to_string(day));
    in.numberWidth = std::max<int32_t>(in.numberWidth, size.cx);
    in.numberHeight = std::max<int32_t>(in.numberHeight, size.cy);
  }
  const CDayForm& day = s.DateExpression;
  in.daySpaceX = day.SpaceX;
  in.daySpaceY = day.SpaceY;
  in.dayShadow = day.Font.Shadow;
  in.italic = day.Font.LogFont.lfItalic != 0;
  in.adjustTop = day.Adjust.Top;
  in.adjustLeft = day.Adjust.Left;
  in.adjustRight = day.Adjust.Right;
  in.adjustBottom = day.Adjust.Bottom;
  MeasureKoyomiLine(in);

  // The calendar is measured and laid out at 96 DPI, where the settings' lengths are given,
  // and scaled as a whole: it keeps its proportions on every monitor, which glyphs hinted to
  // whole pixels at a larger size would not give. The text is then drawn by fonts made at the
  // scaled height, sharp rather than stretched.
  layout = ScaleLayout(LayOutCalendar(in), dpi);
  if (!ownerDrawButtons) {
    buttonWidth = Scaled(kPlainButtonWidth);
    buttonHeight = layout.buttonBarHeight;
  }
  if (dpi != kBaseDpi) {
    for (CFontData* font :
         {&s.MonthExpression.Font, &s.HeaderExpression.Font, &s.DateExpression.Font}) {
      MakeFont(composeDC, *font, dpi);
    }
  }
  ScaleKoyomiFont();
  return RECT{0, 0, layout.clientWidth, layout.clientHeight};
}

std::string CalendarApp::FormatHeading(int year, int month) const {
  return FormatMonthHeading(settings->MonthExpression, EraTable::Instance(), year, month);
}

int CalendarApp::Redraw() {
  shownYear = monthModel->Year();
  shownMonth = monthModel->Month();
  if (monthModel->IsValid()) monthMemos.LoadYearTitles(options->MemoXml, shownYear);

  BitBlt(composeDC, 0, 0, layout.clientWidth, layout.clientHeight, backgroundDC, 0, 0, SRCCOPY);

  // The cells collect their tips; the tools of the last picture are then changed only where
  // this one differs.
  dayTips.Begin();
  ObjectSelection keepFont(composeDC, GetStockObject(SYSTEM_FONT));
  int y = layout.margin + layout.buttonBarHeight;
  y = DrawHeading(y);
  if (settings->HeaderExpression.Flag) y = DrawWeekRow(y);
  DrawDays(y);
  toolCount = dayTips.Apply(tooltip, mainWindow, kFirstToolId, toolCount);
  return 1;
}

int CalendarApp::DrawHeading(int y) {
  const CMonthForm& form = settings->MonthExpression;
  SelectObject(composeDC, form.Font.Handle);
  const int shadow = Scaled(form.Font.Shadow);
  const int width = layout.clientWidth - 2 * layout.margin - shadow;
  const RECT band = {layout.margin, y, layout.margin + width, y + layout.headingHeight};
  DrawShadowedText(composeDC, FormatHeading(shownYear, shownMonth), band,
                   DT_SINGLELINE | DT_VCENTER | Alignment(form.Position), shadow,
                   static_cast<COLORREF>(form.ShadowColor), static_cast<COLORREF>(form.Color));
  return y + shadow + layout.headingHeight;
}

int CalendarApp::DrawWeekRow(int y) {
  const CHeaderForm& form = settings->HeaderExpression;
  SelectObject(composeDC, form.Font.Handle);
  const std::vector<std::string> titles = WeekTitles(form.WeekTitle);
  const int shadow = Scaled(form.Font.Shadow);
  int x = layout.margin;
  for (int column = 0; column < 7; ++column) {
    // The titles stay in Sunday-first order whatever the first column is.
    const int weekday = ((form.StartDayOfWeek % 7 + column) % 7 + 7) % 7;
    // Only the colours come from the decoration list: frames, marks and images count as
    // already decided.
    CDayDeco deco;
    deco.flags = kDecoFrame | kDecoMark | kDecoImage;
    settings->DayDecoDef.ApplyDecorations(WeekdayWord(weekday), deco);
    const COLORREF colour = (deco.flags & kDecoColour) ? deco.colour : 0;
    const COLORREF shadowColour = (deco.flags & kDecoShadow) ? deco.shadowColour : 0;
    const RECT box = {x, y, x + layout.weekTitleWidth, y + layout.weekRowHeight};
    DrawShadowedText(composeDC, titles[weekday], box, DT_SINGLELINE | DT_VCENTER | DT_CENTER,
                     shadow, shadowColour, colour);
    x += layout.cellWidth;
  }
  return y + shadow + layout.weekRowHeight;
}
