#include "app/menus.h"

#include "app/calendar_app.h"
#include "app/startup_shortcut.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr int kTrayPopup = 0;
constexpr int kMainPopup = 1;

void SetCheck(HMENU popup, UINT id, int on) {
  // The resource's own check state is overwritten every time.
  CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Track(CalendarApp& app, HMENU popup, POINT at, UINT flags) {
  if (!popup || app.closePending) return;
  const CalendarApp::ModalScope modal(app);
  TrackPopupMenu(popup, flags, at.x, at.y, 0, app.mainWindow, nullptr);
}

}  // namespace

MenuResource::MenuResource() : bar_(LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_MENUS))) {}

MenuResource::~MenuResource() {
  if (bar_) DestroyMenu(bar_);
}

HMENU MenuResource::Popup(int position) const {
  return bar_ ? GetSubMenu(bar_, position) : nullptr;
}

HMENU PrepareTrayPopup(const MenuResource& menus, int stopPowerSave, bool startsWithWindows) {
  HMENU popup = menus.Popup(kTrayPopup);
  if (!popup) return nullptr;
  SetCheck(popup, IDM_STOP_POWER_SAVE, stopPowerSave);
  SetCheck(popup, IDM_START_WITH_WINDOWS, startsWithWindows);
  return popup;
}

HMENU PrepareMainPopup(const MenuResource& menus, const CXmlNodeArray<CExternApp>& apps,
                       int alwaysBottom) {
  HMENU popup = menus.Popup(kMainPopup);
  if (!popup) return nullptr;
  for (size_t i = 0; i < apps.size(); ++i) {
    InsertMenuA(popup, IDM_VERSION, MF_BYCOMMAND | MF_STRING,
                IDM_FIRST_EXTERN_APP + i, apps[i]->Menu.c_str());
  }
  if (!apps.empty()) InsertMenuA(popup, IDM_VERSION, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
  SetCheck(popup, IDM_ALWAYS_BOTTOM, alwaysBottom);
  return popup;
}

void ShowTrayMenu(CalendarApp& app) {
  MenuResource menus;
  POINT cursor;
  GetCursorPos(&cursor);
  Track(app, PrepareTrayPopup(menus, app.options->EnableStopPWM, startup_shortcut::IsSet()), cursor,
        TPM_RIGHTALIGN | TPM_BOTTOMALIGN);
  // A menu of the notification area closes on a click elsewhere only when its window gets a
  // message after it.
  PostMessageA(app.mainWindow, WM_NULL, 0, 0);
}

void CalendarApp::ShowContextMenu(POINT client) {
  MenuResource menus;
  ClientToScreen(mainWindow, &client);
  Track(*this, PrepareMainPopup(menus, settings->ExternApps.Apps, options->AlwaysBottom), client, 0);
}
