// The heading text through the system's date formatting, with the era codes written by the
// calendar itself.
#include <windows.h>

#include "calendar/month_heading.h"
#include "docs/settings_items.h"

namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
}

// The system formats no dates before 1601: such a month is formatted a century on, which keeps
// its month names usable.
SYSTEMTIME FirstOfMonth(int year, int month) {
  SYSTEMTIME date = {};
  date.wYear = static_cast<WORD>(year <= 1600 ? year + 100 : year);
  date.wMonth = static_cast<WORD>(month);
  date.wDay = 1;
  return date;
}

bool FormatDate(LCID locale, DWORD flags, const SYSTEMTIME& date, const std::string& picture,
                std::string& text) {
  char buffer[256];
  const int n = GetDateFormatA(locale, flags, &date, picture.c_str(), buffer, sizeof buffer);
  if (n <= 0) return false;
  text.assign(buffer);
  return true;
}

}  // namespace

std::string FormatMonthHeading(const CMonthForm& form, const EraTable& eras, int year, int month) {
  const LCID locale = static_cast<LCID>(form.Locale);
  const SYSTEMTIME date = FirstOfMonth(year, month);
  std::string text;
  if (!HasEraCodes(form.Format)) {
    // Without era codes the picture goes to the system whole, with its alternative calendar,
    // as it always did; only a year before 1601 is written in by hand.
    std::string picture = form.Format;
    if (year <= 1600) ReplaceAll(picture, "yyyy", std::to_string(year));
    if (!FormatDate(locale, DATE_USE_ALT_CALENDAR, date, picture, text)) return std::string();
    return text;
  }
  // The calendar writes the era itself; the system's calendar settings (和暦 on some Japanese
  // systems) must not turn the Western year into an era year as well: the year codes go to the
  // invariant locale, whose one calendar is the Gregorian.
  return FormatEraPicture(
      form.Format, year, month, eras, form.Gannen != 0,
      [&](const std::string& piece, bool westernYear, std::string& out) {
        if (!westernYear) return FormatDate(locale, 0, date, piece, out);
        // Moved a century on, a year before 1601 keeps its last two digits but not the rest.
        if (year <= 1600 && piece.size() >= 3) {
          out = std::to_string(year);
          return true;
        }
        return FormatDate(LOCALE_INVARIANT, 0, date, piece, out);
      });
}
