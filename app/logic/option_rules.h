// The checks and rules of the display settings pages, apart from any window.
#pragma once

#include <cstdint>
#include <string>

// Bits of "ModeUnavail": background modes the user does not want.
constexpr int32_t kNoWallpaper = 0x1;
constexpr int32_t kNoFill = 0x2;
constexpr int32_t kNoTransparent = 0x4;
// "ColorBack" value that stands for the desktop colour.
constexpr int32_t kDesktopColorBack = 0x1000000;

constexpr int kShadowMax = 8;
constexpr int kSpaceMax = 300;
constexpr int kAdjustLimit = 16;
// Longest heading picture the 年・月 page takes, in bytes.
constexpr int kMaxFormatBytes = 32;


// A number read from an edit is usable when it was a number at all and lies in [low, high].
bool IsValueValid(bool isNumber, int value, int low, int high);

// Exactly seven names, none empty, each separated from the next by a single blank.
bool IsWeekTitleValid(const std::string& title);

// The mode box to disable given the ticked bits: when two modes are ticked the third may not
// be, so at least one background mode stays available. 0 when none is to be disabled.
int32_t ModeBitToDisable(int32_t unavailable);

struct FillControlStates {
  bool radios = true;
  bool colour = true;
};
// The fill colour controls are of no use while the fill mode itself is unavailable; the
// colour swatch and its button only while the user picks an own colour.
FillControlStates FillRule(int32_t unavailable, bool ownColour);

// What "ColorBack" becomes from the radio choice and the colour on the swatch.
int32_t ColorBackFrom(bool desktopColour, uint32_t ownColour);

// The validity a page reported last; a page tells its dialog only when it changes.
class ReportedState {
 public:
  // True when valid differs from what was reported last (at first: "not valid").
  bool Changes(bool valid);

 private:
  bool reportedValid_ = false;
};

// The page-valid flags of the display settings dialog (the three font pages, the heading,
// weekday and day pages, the 暦 page); OK needs all of them.
class PageValidity {
 public:
  static constexpr int kPages = 7;
  void Set(int page, bool valid);
  bool AllValid() const { return flags_ == (1u << kPages) - 1; }

 private:
  unsigned flags_ = 0;
};
