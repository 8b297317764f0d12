// The day grid: every cell with its decoration (image, mark, frame, coloured number with
// shadow) and its tooltip, and the day under a point for the double click.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/calendar_app.h"
#include "calendar/blit_image.h"
#include "calendar/day_memo.h"
#include "calendar/gdi_guard.h"
#include "calendar/layout.h"
#include "calendar/month_model.h"
#include "docs/settings.h"

namespace {

constexpr uint32_t kTodayBit = 0x1;
// Days whose tooltip names their holiday: days off and the days of tables 10 to 13.
constexpr uint32_t kNamedHolidayBits = 0xF900;
constexpr COLORREF kNoBrush = 0xFFFFFFFF;
constexpr int kMarkSquare = 1;
constexpr int kMarkCircle = 2;

// How one cell is drawn once its decoration is complete. Values of attributes that no
// source set are never used: such an attribute means black text, no frame, mark or image.
struct CellLook {
  explicit CellLook(const CDayDeco& deco) {
    if (deco.flags & kDecoColour) colour = deco.colour;
    if (deco.flags & kDecoShadow) shadowColour = deco.shadowColour;
    if (deco.flags & kDecoFrame) {
      frameLine = deco.frameLine;
      frameColour = deco.frameColour;
    }
    if (deco.flags & kDecoMark) {
      markType = deco.markType;
      markColour = deco.markColour;
    }
    if (deco.flags & kDecoImage) {
      imageType = deco.imageType;
      imagePath = deco.imagePath;
    }
  }

  COLORREF colour = 0;
  COLORREF shadowColour = 0;
  int frameLine = 0;
  COLORREF frameColour = 0;
  int markType = 0;
  COLORREF markColour = 0;
  int imageType = kImageNone;
  std::string imagePath;
};

RECT BoxIn(const RECT& cell, const LayoutBox& box) {
  return RECT{cell.left + box.x, cell.top + box.y, cell.left + box.x + box.w,
              cell.top + box.y + box.h};
}

void DrawMark(HDC dc, const CellLook& look, const RECT& markRect) {
  // A mark colour of all bits set means no brush: neither the square nor the circle is
  // painted, rather than filling the circle with whatever brush the context happens to hold.
  if (look.markColour == kNoBrush) return;
  if (look.markType != kMarkSquare && look.markType != kMarkCircle) return;
  GdiObject<HBRUSH> brush(CreateSolidBrush(look.markColour));
  if (!brush) return;
  if (look.markType == kMarkSquare) {
    FillRect(dc, &markRect, brush.get());
    return;
  }
  GdiObject<HPEN> pen(CreatePen(PS_NULL, 3, 0));
  ObjectSelection withPen(dc, pen.get());
  ObjectSelection withBrush(dc, brush.get());
  Ellipse(dc, markRect.left, markRect.top, markRect.right, markRect.bottom);
}

// A closed line one pixel outside the left and top of the mark box and on its right and
// bottom edges.
void DrawFrame(HDC dc, const CellLook& look, const RECT& markRect) {
  if (look.frameLine == 0) return;
  // Line is the pen style plus one; a style the system does not know gives no pen.
  GdiObject<HPEN> pen(CreatePen(look.frameLine - 1, 1, look.frameColour));
  if (!pen) return;
  ObjectSelection withPen(dc, pen.get());
  const LONG l = markRect.left, t = markRect.top, r = markRect.right, b = markRect.bottom;
  const POINT corners[5] = {{l - 1, t - 1}, {l - 1, b}, {r, b}, {r, t - 1}, {l - 1, t - 1}};
  Polyline(dc, corners, 5);
}

void DrawNumber(HDC dc, int day, const CellLook& look, const RECT& numberRect, int shadow) {
  const std::string text = std::to_string(day);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  if (shadow != 0) {
    RECT moved = numberRect;
    OffsetRect(&moved, shadow, shadow);
    SetTextColor(dc, look.shadowColour);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &moved, format);
  }
  RECT rect = numberRect;
  SetTextColor(dc, look.colour);
  DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rect, format);
}

}  // namespace

void CalendarApp::DrawDays(int y) {
  const int days = monthModel->DaysInMonth();
  const int first = FirstCellDay(monthModel->FirstWeekday(),
                                 settings->HeaderExpression.StartDayOfWeek);
  layout.gridTop = y;
  layout.firstCellDay = first;
  koyomi.Prepare(shownYear, shownMonth);
  SelectObject(composeDC, settings->DateExpression.Font.Handle);

  int day = first;
  do {
    int x = layout.margin;
    for (int column = 0; column < 7; ++column, ++day, x += layout.cellWidth) {
      if (day < 1 || day > days) continue;
      DateNote note(shownYear, shownMonth, day);
      const DateNote* memo = FindDayMemo(monthMemos, shownYear, shownMonth, day);
      if (memo) note.Assign(*memo);
      const RECT cell = {x, y, x + layout.cellWidth, y + layout.cellHeight};
      DrawDayCell(day, cell, note);
    }
    y += layout.cellHeight;
  } while (day <= days);
}

int CalendarApp::DrawDayCell(int day, const RECT& cell, DateNote& note) {
  uint32_t word = monthModel->DayFlags(day) | monthModel->WeekdayBits(day);
  if (shownYear == homeYear && shownMonth == homeMonth && day == homeDay) word |= kTodayBit;
  // The day's 六曜 rides above the class bits, for the day types that ask for one.
  const KoyomiDay& koyomiDay = koyomi.Day(day);
  if (koyomiDay.valid) word |= RokuyoWord(koyomiDay.rokuyo);
  // The memo's own attributes stay; the list supplies the rest.
  settings->DayDecoDef.ApplyDecorations(word, note.decoration);
  const CellLook look(note.decoration);
  const RECT markRect = BoxIn(cell, layout.markBox);
  const RECT numberRect = BoxIn(cell, layout.numberBox);

  if (look.imageType == kImageNatural || look.imageType == kImageStretched) {
    DrawDayImage(look.imageType, look.imagePath, cell);
  }
  DrawMark(composeDC, look, markRect);
  if (look.imageType == kImageTransparent) DrawDayImage(look.imageType, look.imagePath, cell);
  DrawFrame(composeDC, look, markRect);
  DrawNumber(composeDC, day, look, numberRect,
             Scaled(settings->DateExpression.Font.Shadow));
  DrawKoyomiLine(koyomiDay, cell, look.shadowColour);

  std::string tip;
  if (word & kNamedHolidayBits) {
    const char* name = monthModel->HolidayName(day);
    tip = "[" + std::string(name ? name : "") + "]";
  }
  tip += note.Title;
  AddKoyomiTip(koyomiDay, tip);
  // Redraw hands the collected tips to the tooltip control once the grid is drawn.
  if (!tip.empty()) dayTips.Add(cell, tip);
  return 1;
}

void CalendarApp::DrawDayImage(int type, const std::string& path, const RECT& cell) {
  const ImageFile* image = pictureCache.Find(path, imageLoader);
  if (!image) return;
  ObjectSelection selected(decoImageDC, image->bitmap);
  BlitImage(composeDC, BoxIn(cell, layout.markBox), decoImageDC, *image, type);
}

void CalendarApp::ReleasePictures() { pictureCache.Clear(); }

int CalendarApp::DayAtPoint(int x, int y) const {
  return DayAtGridPoint(layout, monthModel ? monthModel->DaysInMonth() : 0, x, y);
}
