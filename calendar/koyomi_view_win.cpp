// The old calendar in the calendar window: measuring the small cell line for the layout,
// drawing it, and the 暦 line of the day tooltips.
#include "calendar/koyomi_view.h"

#include <algorithm>
#include <cstring>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "calendar/gdi_guard.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

void KoyomiView::Prepare(int year, int month) {
  if (year == year_ && month == month_) return;
  KoyomiMonth(year, month, days_);
  year_ = year;
  month_ = month;
}

const KoyomiDay& KoyomiView::Day(int d) const {
  static const KoyomiDay kNone;
  return d >= 0 && d < 32 ? days_[d] : kNone;
}

const KoyomiNames& KoyomiView::Names() {
  if (namesLoaded_) return names_;
  namesLoaded_ = true;
  names_.datePicture = LoadResourceString(IDS_KOYOMI_DATE);
  names_.leapWord = LoadResourceString(IDS_KOYOMI_LEAP);
  names_.separator = LoadResourceString(IDS_KOYOMI_SEPARATOR);
  names_.SetLists(LoadResourceString(IDS_KOYOMI_ROKUYO), LoadResourceString(IDS_KOYOMI_SEKKI),
                  LoadResourceString(IDS_KOYOMI_ZASSETSU));
  return names_;
}

void KoyomiView::MakeFont(const LOGFONTA& dayFont, int points, int dpi) {
  ReleaseFont();
  LOGFONTA small = {};
  small.lfHeight = ScaleForDpi(KoyomiFontHeight(points), dpi);
  small.lfWeight = FW_NORMAL;
  small.lfCharSet = dayFont.lfCharSet;
  small.lfQuality = dayFont.lfQuality;
  std::memcpy(small.lfFaceName, dayFont.lfFaceName, sizeof small.lfFaceName);
  font_ = CreateFontIndirectA(&small);
}

void KoyomiView::ReleaseFont() {
  if (font_) DeleteObject(font_);
  font_ = nullptr;
}

void CalendarApp::MeasureKoyomiLine(LayoutInput& in) {
  const CKoyomiForm& form = settings->KoyomiExpression;
  if (!form.CellLine) {
    koyomi.ReleaseFont();
    return;
  }
  koyomi.MakeFont(settings->DateExpression.Font.LogFont, form.FontSize, kBaseDpi);
  ObjectSelection withFont(composeDC, koyomi.Font());
  const KoyomiNames& names = koyomi.Names();
  std::vector<std::string> texts = names.rokuyo;
  if (form.SekkiName) texts.insert(texts.end(), names.sekki.begin(), names.sekki.end());
  // The line keeps its height even when the names could not be read.
  texts.push_back("0");
  for (const std::string& text : texts) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(composeDC, text.data(), static_cast<int>(text.size()), &size);
    in.subLineWidth = std::max<int32_t>(in.subLineWidth, size.cx);
    in.subLineHeight = std::max<int32_t>(in.subLineHeight, size.cy);
  }
}

void CalendarApp::ScaleKoyomiFont() {
  if (koyomi.Font() && dpi != kBaseDpi) {
    koyomi.MakeFont(settings->DateExpression.Font.LogFont, settings->KoyomiExpression.FontSize, dpi);
  }
}

void CalendarApp::DrawKoyomiLine(const KoyomiDay& day, const RECT& cell, COLORREF shadowColour) {
  const CKoyomiForm& form = settings->KoyomiExpression;
  if (!form.CellLine || !koyomi.Font() || layout.subLineBox.h <= 0) return;
  const std::string text = KoyomiCellText(day, koyomi.Names(), form.SekkiName != 0);
  if (text.empty()) return;
  ObjectSelection withFont(composeDC, koyomi.Font());
  const LayoutBox& box = layout.subLineBox;
  RECT rect = {cell.left + box.x, cell.top + box.y, cell.left + box.x + box.w,
               cell.top + box.y + box.h};
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX;
  // The same shadow as the number, so the line reads on any background the number reads on.
  const int shadow = Scaled(settings->DateExpression.Font.Shadow);
  if (shadow > 0) {
    RECT moved = rect;
    OffsetRect(&moved, shadow, shadow);
    SetTextColor(composeDC, shadowColour);
    DrawTextA(composeDC, text.data(), static_cast<int>(text.size()), &moved, format);
  }
  SetTextColor(composeDC, static_cast<COLORREF>(form.Color));
  DrawTextA(composeDC, text.data(), static_cast<int>(text.size()), &rect, format);
}

void CalendarApp::AddKoyomiTip(const KoyomiDay& day, std::string& tip) {
  const CKoyomiForm& form = settings->KoyomiExpression;
  if (!form.TipLine) return;
  const std::string line = KoyomiTipLine(day, koyomi.Names(), form.SekkiName != 0);
  if (line.empty()) return;
  // The holiday and the memo come first; the 暦 line below them.
  tip += tip.empty() ? line : "\r\n" + line;
}
