#include "app/menus.h"

#include "app/calendar_app.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr int kTrayPopup = 0;
constexpr int kMainPopup = 1;

void SetCheck(HMENU popup, UINT id, int on) {
  // The resource's own check state is overwritten every time.
  CheckMenuItem(popup, id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

void Track(HMENU popup, POINT at, UINT flags, HWND owner) {
  if (!popup) return;
  TrackPopupMenu(popup, flags, at.x, at.y, 0, owner, nullptr);
}

}  // namespace

MenuResource::MenuResource() : bar_(LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_MENUS))) {}

MenuResource::~MenuResource() {
  if (bar_) DestroyMenu(bar_);
}

HMENU MenuResource::Popup(int position) const {
  return bar_ ? GetSubMenu(bar_, position) : nullptr;
}

HMENU PrepareTrayPopup(const MenuResource& menus, int stopPowerSave) {
  HMENU popup = menus.Popup(kTrayPopup);
  if (popup) SetCheck(popup, IDM_STOP_POWER_SAVE, stopPowerSave);
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
  Track(PrepareTrayPopup(menus, app.options->EnableStopPWM), cursor,
        TPM_RIGHTALIGN | TPM_BOTTOMALIGN, app.mainWindow);
}

void CalendarApp::ShowContextMenu(POINT client) {
  MenuResource menus;
  ClientToScreen(mainWindow, &client);
  Track(PrepareMainPopup(menus, settings->ExternApps.Apps, options->AlwaysBottom), client, 0,
        mainWindow);
}
