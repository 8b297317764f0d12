// The words of the old calendar as the calendar shows them: the tooltip line
// ("旧暦10月29日 友引 大雪"), the small line under a day number, and the names of a day's solar
// term and seasonal days. The names come from the caller, in the caller's encoding.
#pragma once

#include <string>
#include <vector>

#include "calendar/koyomi.h"

struct KoyomiNames {
  // printf picture of the date, with the leap word, the month and the day: "旧暦%s%d月%d日".
  std::string datePicture;
  std::string leapWord;                // 閏
  std::vector<std::string> rokuyo;     // kRokuyoCount names, 大安 first
  std::vector<std::string> sekki;      // kSekkiCount names, 春分 first
  std::vector<std::string> zassetsu;   // kZassetsuCount names, in the order of the bits
  std::string separator;               // between names of one day: "・"

  // Cuts ';'-separated lists into the three name lists; false when a list has the wrong
  // number of names (the lists are then left empty and nothing is named).
  bool SetLists(const std::string& rokuyoList, const std::string& sekkiList,
                const std::string& zassetsuList);
};

// The day's solar term and seasonal days, joined by the separator; empty when there are none.
std::string KoyomiDayNames(const KoyomiDay& day, const KoyomiNames& names);

// "旧暦10月29日 友引", followed by a blank and the day's names when withNames is set and the day
// has any. Empty for a day that is not valid.
std::string KoyomiTipLine(const KoyomiDay& day, const KoyomiNames& names, bool withNames);

// The small line of a day cell: the 六曜, or on a solar term's day (when withNames is set) the
// term's name instead. Empty for a day that is not valid.
std::string KoyomiCellText(const KoyomiDay& day, const KoyomiNames& names, bool withNames);
