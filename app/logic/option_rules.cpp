#include "app/logic/option_rules.h"

#include <vector>

#include "docs/xml_node.h"

bool IsValueValid(bool isNumber, int value, int low, int high) {
  return isNumber && value >= low && value <= high;
}

bool IsWeekTitleValid(const std::string& title) {
  const std::vector<std::string> names = SplitString(title, ' ');
  if (names.size() != 7) return false;
  // Six blanks alone would split into seven names too, none of them visible.
  for (const std::string& name : names) {
    if (name.empty()) return false;
  }
  return true;
}

int32_t ModeBitToDisable(int32_t unavailable) {
  const int32_t all = kNoWallpaper | kNoFill | kNoTransparent;
  const int32_t ticked = unavailable & all;
  switch (ticked) {
    case kNoWallpaper | kNoFill:
    case kNoWallpaper | kNoTransparent:
    case kNoFill | kNoTransparent:
      return all & ~ticked;
    default:
      return 0;
  }
}

FillControlStates FillRule(int32_t unavailable, bool ownColour) {
  FillControlStates states;
  states.radios = (unavailable & kNoFill) == 0;
  states.colour = states.radios && ownColour;
  return states;
}

int32_t ColorBackFrom(bool desktopColour, uint32_t ownColour) {
  return desktopColour ? kDesktopColorBack : static_cast<int32_t>(ownColour);
}

bool ReportedState::Changes(bool valid) {
  if (valid == reportedValid_) return false;
  reportedValid_ = valid;
  return true;
}

void PageValidity::Set(int page, bool valid) {
  if (page < 0 || page >= kPages) return;
  const unsigned bit = 1u << page;
  flags_ = valid ? flags_ | bit : flags_ & ~bit;
}
