// What the calendar window keeps to show the old calendar: the days of the month shown, the
// names from the string table (loaded on first use) and the font of the small cell line.
#pragma once

#include <windows.h>

#include "calendar/koyomi.h"
#include "calendar/koyomi_text.h"

class KoyomiView {
 public:
  KoyomiView() = default;
  ~KoyomiView() { ReleaseFont(); }
  KoyomiView(const KoyomiView&) = delete;
  KoyomiView& operator=(const KoyomiView&) = delete;

  // Works out the days of a Gregorian month unless they are the ones held.
  void Prepare(int year, int month);
  // Day d of the month prepared; not valid outside it.
  const KoyomiDay& Day(int d) const;

  const KoyomiNames& Names();

  // The small line's font: the day font's face at the size in points, for a DPI. Replaces the
  // font held.
  void MakeFont(const LOGFONTA& dayFont, int points, int dpi);
  void ReleaseFont();
  HFONT Font() const { return font_; }

 private:
  KoyomiDay days_[32];
  int year_ = 0;
  int month_ = 0;
  KoyomiNames names_;
  bool namesLoaded_ = false;
  HFONT font_ = nullptr;
};
