// The old Japanese calendar on every day from 1873 to 2100: the 旧暦 (lunisolar) date, the
// 六曜 and the 二十四節気 and 雑節 that fall on the day. Worked out from the table of new moons
// and solar longitudes (koyomi_table.h) by the rules of the modern Japanese tables:
// - a month begins on the day (Japanese civil time) of a new moon and ends the day before the
//   next one;
// - a month holds a 中気 (a multiple of 30 degrees) when the 中気 falls on one of its days;
//   the month of 冬至 is the 11th, the month of 春分 the 2nd, and so on;
// - of the 13 months from one 冬至 month up to the next, the first without a 中気 is a leap
//   month that repeats the number of the month before it;
// - the year of a month is the year of its 1st month.
// Only indices leave this file; the names are the caller's (string tables, UTF-8 tables).
#pragma once

#include <cstdint>
#include <vector>

#include "calendar/day_number.h"

// 六曜 in the order of their number (month + day) mod 6.
enum Rokuyo : int32_t {
  kTaian = 0,       // 大安
  kShakku = 1,      // 赤口
  kSensho = 2,      // 先勝
  kTomobiki = 3,    // 友引
  kSenbu = 4,       // 先負
  kButsumetsu = 5,  // 仏滅
};
constexpr int kRokuyoCount = 6;

// 二十四節気 by the Sun's longitude / 15: 0 春分, 1 清明, ... 21 立春, 22 雨水, 23 啓蟄.
constexpr int kSekkiCount = 24;

// 雑節, one bit each, in the order the names are listed.
enum Zassetsu : uint32_t {
  kSetsubun = 1u << 0,         // 節分: the day before 立春
  kHiganIri = 1u << 1,         // 彼岸入り: three days before 春分 and 秋分
  kHachijuHachiya = 1u << 2,   // 八十八夜: the 88th day counted from 立春 as the 1st
  kNyubai = 1u << 3,           // 入梅: the Sun at 80 degrees
  kHangesho = 1u << 4,         // 半夏生: the Sun at 100 degrees
  kDoyoIri = 1u << 5,          // 土用入り: the Sun at 27, 117, 207 and 297 degrees
  kNihyakuToka = 1u << 6,      // 二百十日: the 210th day from 立春
  kNihyakuHatsuka = 1u << 7,   // 二百二十日: the 220th day from 立春
};
constexpr int kZassetsuCount = 8;

struct KoyomiDay {
  // False outside 1873-01-01 ... 2100-12-31: nothing else is set then.
  bool valid = false;
  int32_t year = 0;   // 旧暦 year: the Gregorian year in which its 1st month began
  int32_t month = 0;  // 1 ... 12
  bool leap = false;  // a leap month, repeating the number of the month before it
  int32_t day = 0;    // 1 ... 30
  int32_t rokuyo = 0;
  int32_t sekki = -1;     // index of the day's solar term, -1 when none
  uint32_t zassetsu = 0;  // Zassetsu bits of the day
};

// First and last supported days.
constexpr int32_t kKoyomiFirstYear = 1873;
constexpr int32_t kKoyomiLastYear = 2100;

// The day of a Gregorian date; not valid outside the supported range or for a date that does
// not exist.
KoyomiDay KoyomiOf(int32_t year, int32_t month, int32_t day);

// days[d] for every day d of a Gregorian month (1 ... its length); days[0] and the entries
// past the month's end are not valid. Faster than a call per day.
void KoyomiMonth(int32_t year, int32_t month, KoyomiDay (&days)[32]);


// Japan's civil time of a UTC instant, in seconds since 1970-01-01 00:00 of that time: JST
// (UTC+9), and Tokyo local mean time (UTC+9:18:59) before JST began on 1888-01-01.
int64_t CivilSeconds(int64_t utc);

// The table's instants, decoded: new moons, and the Sun's arrivals at its degrees.
struct SunInstant {
  int64_t utc;
  int32_t degree;
};
const std::vector<int64_t>& NewMoonInstants();
const std::vector<SunInstant>& SunInstants();
