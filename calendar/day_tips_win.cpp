#include "calendar/day_tips.h"

#include <commctrl.h>

namespace {

TOOLINFOA ToolOf(HWND owner, int id) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = static_cast<UINT_PTR>(id);
  return tool;
}

void DeleteTools(HWND tooltip, HWND owner, int firstId, int from, int to) {
  for (int i = from; i < to; ++i) {
    TOOLINFOA tool = ToolOf(owner, firstId + i);
    SendMessageA(tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

int DayTips::Apply(HWND tooltip, HWND owner, int firstId, int existing) {
  if (existing != static_cast<int>(shown.size())) {
    if (tooltip) DeleteTools(tooltip, owner, firstId, 0, existing);
    shown.clear();
  }
  if (!tooltip) {
    shown.clear();
    return 0;
  }

  size_t placed = 0;
  for (const Tip& tip : pending) {
    TOOLINFOA tool = ToolOf(owner, firstId + static_cast<int>(placed));
    tool.rect = tip.rect;
    tool.lpszText = const_cast<char*>(tip.text.c_str());
    if (placed < shown.size()) {
      Tip& old = shown[placed];
      if (!SameRect(old.rect, tip.rect)) {
        SendMessageA(tooltip, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
      }
      if (old.text != tip.text) {
        SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
      }
      old = tip;
      ++placed;
      continue;
    }
    tool.uFlags = TTF_SUBCLASS;
    // A tool the control refused leaves its identifier to the next tip, so the identifiers
    // stay consecutive and the next Apply deletes exactly the tools that exist.
    if (!SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) continue;
    shown.push_back(tip);
    ++placed;
  }
  DeleteTools(tooltip, owner, firstId, static_cast<int>(placed), static_cast<int>(shown.size()));
  shown.resize(placed);
  return static_cast<int>(placed);
}
