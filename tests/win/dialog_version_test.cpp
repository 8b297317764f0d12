// The version dialog run modally as the menu runs it, driven from inside its loop.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "dialogs/dlg_version.h"
#include "resources/zanto_resource.h"
#include "support/dialog_support.h"

namespace {

std::vector<std::string> opened;

void RecordOpen(HWND, const char* address) { opened.push_back(address); }

LOGFONTA FontOf(HWND dialog, int controlId) {
  LOGFONTA font = {};
  auto handle = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, controlId, WM_GETFONT, 0, 0));
  EXPECT_EQ(GetObjectA(handle, sizeof font, &font), static_cast<int>(sizeof font));
  return font;
}

// True when some pixel of the control on the screen has the colour.
bool ShowsColour(HWND control, COLORREF colour) {
  RECT rect;
  GetClientRect(control, &rect);
  HDC dc = GetDC(control);
  bool found = false;
  for (int y = 0; y < rect.bottom && !found; ++y) {
    for (int x = 0; x < rect.right && !found; ++x) found = GetPixel(dc, x, y) == colour;
  }
  ReleaseDC(control, dc);
  return found;
}

void ClickWithMouse(HWND control) {
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

// Modeless opens have no window-manager round trips, so the warm-up and the leak loop are quick.
void OpenAndCancel() {
  DlgVersion dlg;
  HWND d = dlg.Create(dialogs::HiddenOwner());
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
}

// Runs the dialog as the menu does and checks it from inside; returns after it closed.
void RunVersionStory() {
  DlgVersion dlg;
  dlg.openLink = RecordOpen;
  opened.clear();
  HFONT linkFont = nullptr;
  HFONT titleFont = nullptr;
  dialogs::DriveNextDialog([&](HWND d) {
    EXPECT_EQ(dialogs::Text(d, IDC_VERSION_TEXT), LoadResourceString(IDS_VERSION));
    EXPECT_FALSE(dialogs::Text(d, IDC_VERSION_TEXT).empty());
    EXPECT_EQ(dialogs::Text(d, IDC_WEB_LINK), WebSiteAddress);
    EXPECT_TRUE(FontOf(d, IDC_WEB_LINK).lfUnderline);
    const LOGFONTA title = FontOf(d, IDC_PROGRAM_TITLE);
    EXPECT_EQ(title.lfHeight, 16);
    EXPECT_EQ(title.lfWeight, 900);
    EXPECT_TRUE(title.lfItalic);
    linkFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(d, IDC_WEB_LINK, WM_GETFONT, 0, 0));
    titleFont = reinterpret_cast<HFONT>(SendDlgItemMessageA(d, IDC_PROGRAM_TITLE, WM_GETFONT, 0, 0));
    dialogs::Screenshot(d, L"dialog_version");
    EXPECT_TRUE(ShowsColour(GetDlgItem(d, IDC_WEB_LINK), RGB(0, 0, 255)));
    EXPECT_TRUE(ShowsColour(GetDlgItem(d, IDC_PROGRAM_TITLE), RGB(0, 0, 255)));
    EXPECT_FALSE(ShowsColour(GetDlgItem(d, IDC_VERSION_TEXT), RGB(0, 0, 255)));

    ClickWithMouse(GetDlgItem(d, IDC_WEB_LINK));
    ClickWithMouse(GetDlgItem(d, IDC_WEB_LINK));
    ClickWithMouse(GetDlgItem(d, IDC_VERSION_TEXT));
    EXPECT_EQ(opened, (std::vector<std::string>{WebSiteAddress, WebSiteAddress}));
    EXPECT_TRUE(IsWindowVisible(d)) << "the dialog stays open";
    PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dlg.DoModal(dialogs::HiddenOwner()), IDOK);
  EXPECT_TRUE(dialogs::AllDriven());
  ASSERT_NE(linkFont, nullptr);
  ASSERT_NE(titleFont, nullptr);
  EXPECT_EQ(GetObjectType(linkFont), 0u);
  EXPECT_EQ(GetObjectType(titleFont), 0u);
}

TEST(DlgVersion, ShowsVersionAndLinkAndTakesItsFontsAlongWhenClosedFromTheKeyboard) {
  // The first two runs leave lasting objects of the system (frame, caption and focus drawing);
  // after them a run must leave the count where it was.
  RunVersionStory();
  RunVersionStory();
  const int gdi = dialogs::LiveGdiObjects();
  RunVersionStory();
  EXPECT_EQ(dialogs::LiveGdiObjects(), gdi);
}

TEST(DlgVersion, OpeningFiftyTimesLeaksNothing) {
  OpenAndCancel();
  const int gdi = dialogs::LiveGdiObjects();
  const int windows = dialogs::LiveWindows();
  for (int i = 0; i < 50; ++i) OpenAndCancel();
  dialogs::Pump();
  EXPECT_EQ(dialogs::LiveGdiObjects(), gdi);
  EXPECT_EQ(dialogs::LiveWindows(), windows);
}

}  // namespace
