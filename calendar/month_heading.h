// The year/month heading: a date picture of the system's date formatting, plus era codes the
// calendar writes itself from its own era table, so the 和暦 year reads right on every system
// (the system's own era data depends on its version and settings, and Wine has none):
//   g, gg   the era's name (令和)
//   e       the year in the era (8); 元 for the first year when 元年 is chosen
//   ee      the same with two digits (08)
// A month in which an era begins after its 1st names both eras: the part of the picture from
// the first to the last era code, with a 年 right after it, is written once for each era,
// joined by ・ (昭和64年・平成元年1月). Before 1873 the era name is empty and the year in the
// era is the Western year. In a picture with era codes the year codes y, yy, yyyy always give
// the Western year, whatever calendar the system's settings choose; everything else (month and
// day codes, quoted and other text) is formatted by the system as before.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "docs/era_table.h"

class CMonthForm;

// Longest heading: what the system's formatting gives into its 256-character buffer.
constexpr size_t kMaxHeadingBytes = 255;

// True when the picture holds an era code outside quotes. A picture without one is formatted
// by the system alone, exactly as before era codes existed.
bool HasEraCodes(const std::string& picture);

// Formats a piece of picture for the month with the system's date formatting: month and day
// codes, quoted and other text; or, when westernYear is set, a run of year codes, in the
// Gregorian calendar. False when the system cannot.
using SystemFormat =
    std::function<bool(const std::string& piece, bool westernYear, std::string& text)>;

// The heading of a month for a picture with era codes, at most kMaxHeadingBytes long (cut at
// a character boundary); empty when the system fails on a piece.
std::string FormatEraPicture(const std::string& picture, int32_t year, int32_t month,
                             const EraTable& eras, bool gannen, const SystemFormat& formatSystem);

// The months whose headings the layout measures: the shown month, and for a picture with era
// codes every month that names two eras, the widest headings it can give. So the window is
// wide enough for them from the start and keeps its size on every month step.
std::vector<YearMonth> HeadingMonthsToMeasure(const std::string& picture, const EraTable& eras,
                                              int32_t shownYear, int32_t shownMonth);

// The heading of a month as the calendar draws it, formatted with the form's picture and
// locale (Windows only).
std::string FormatMonthHeading(const CMonthForm& form, const EraTable& eras, int year, int month);
