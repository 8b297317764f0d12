// The two popups of menu resource 108: "Tray" (position 0) from the notification-area icon
// and "Main" (position 1) from a right click on the calendar.
#pragma once

#include <windows.h>

#include "docs/extern_apps.h"

class CalendarApp;

// The menu bar of resource 108, destroyed with the object.
class MenuResource {
 public:
  MenuResource();
  ~MenuResource();
  MenuResource(const MenuResource&) = delete;
  MenuResource& operator=(const MenuResource&) = delete;

  // The popup at position (0 "Tray", 1 "Main"); null when the resource could not be loaded.
  HMENU Popup(int position) const;

 private:
  HMENU bar_;
};

// The "Tray" popup with "省電力制御の停止" checked while the power-saving stop is on and
// "Windows の起動時に開始" while the Startup folder starts this program.
HMENU PrepareTrayPopup(const MenuResource& menus, int stopPowerSave, bool startsWithWindows);
// The "Main" popup with the external entries (and their separator) before
// "バージョン情報..." and "通常は最背面" checked while the calendar keeps to the bottom.
HMENU PrepareMainPopup(const MenuResource& menus, const CXmlNodeArray<CExternApp>& apps,
                       int alwaysBottom);

// Shows the "Tray" popup at the cursor, its bottom right corner there.
void ShowTrayMenu(CalendarApp& app);
