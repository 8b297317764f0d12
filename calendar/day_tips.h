// The day tooltips of the calendar picture. A redraw collects the tips of its cells and then
// brings the tooltip control in line with them: a tool whose text or rectangle changed is
// updated, tools are added only for new tips and deleted only when no longer needed, so a
// month step does not rebuild 31 tools.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DayTips {
 public:
  // Starts the tips of a new picture; the tools shown stay until Apply.
  void Begin() { pending.clear(); }
  void Add(const RECT& rect, const std::string& text) { pending.push_back(Tip{rect, text}); }

  // Makes the tools of owner in tooltip (identifiers firstId, firstId + 1, ...) exactly the
  // collected tips, in order. existing is the number of tools the caller believes are there;
  // when it is not the number this object put there (a new tooltip control, a reset), those
  // tools are deleted and every tip is added afresh. Returns the number of tools now present.
  int Apply(HWND tooltip, HWND owner, int firstId, int existing);

 private:
  struct Tip {
    RECT rect;
    std::string text;
  };

  std::vector<Tip> shown;
  std::vector<Tip> pending;
};
