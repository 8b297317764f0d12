// The dialog framework in the test process: the shared dialog procedure and its registry,
// pages, choice lists from the string table, the three pickers run through the common
// dialogs, and the version dialog run as the menu runs it.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "app/resource_string.h"
#include "dialogs/app_dlg.h"
#include "dialogs/dlg_version.h"
#include "dialogs/pickers.h"
#include "dialogs/solid_brush.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_support.h"
#include "support/driver.h"
#include "tests/common/test_files.h"

namespace {

using dialogs::DriveNextDialog;

// 条件なし, 全てのファイル(*.*)
const std::string kNoCondition = "\x8f\xf0\x8c\x8f\x82\xc8\x82\xb5";
const std::string kAllFiles = "\x91\x53\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)";
// Controls of comdlg32's colour and open dialogs.
constexpr int kRed = 706, kGreen = 707, kBlue = 708, kAddCustom = 712, kFileTypes = 1136, kFileName = 1148;

// Records what reaches it; on the decoration dialog's template.
class ProbeDlg : public AppDlg {
 public:
  explicit ProbeDlg(int templateId = IDD_DAY_EDT) : AppDlg(templateId) {}
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    messages.push_back(message == WM_APPDLG_NOTIFY ? 0x10000 + wParam : message);
    return 0;
  }
  INT_PTR OnNcDestroy() override { return ++ncDestroyed; }
  using AppDlg::EmbedPage;
  using AppDlg::NotifyParent;
  int ncDestroyed = 0;
  std::vector<WPARAM> messages;
};

void Post(int button) {
  DriveNextDialog([button](HWND d) { PostMessageA(d, WM_COMMAND, button, 0); });
}

TEST(DialogFramework, ObjectIsReachedFromInitDialogToNcDestroyAndModalResultsAreOneAndTwo) {
  ProbeDlg dlg;
  HWND window = dlg.Create(dialogs::HiddenOwner());
  EXPECT_EQ(FindAppDlg(window), &dlg);
  EXPECT_EQ(dlg.parent, dialogs::HiddenOwner());
  for (WPARAM message : dlg.messages) EXPECT_NE(message, static_cast<WPARAM>(WM_SETFONT));
  DestroyWindow(window);
  EXPECT_EQ(dlg.ncDestroyed, 1);
  EXPECT_EQ(FindAppDlg(window), nullptr);
  EXPECT_EQ(dlg.hwnd, nullptr);
  const size_t seen = dlg.messages.size();
  SendMessageA(window, WM_APPDLG_NOTIFY, ADN_VALID, 0);
  EXPECT_EQ(dlg.messages.size(), seen);

  for (int button : {IDOK, IDCANCEL}) {
    ProbeDlg modal;
    Post(button);
    EXPECT_EQ(modal.DoModal(dialogs::HiddenOwner()), button);
    EXPECT_EQ(modal.ncDestroyed, 1);
  }
}

TEST(DialogFramework, PageSitsAtTheMarkerAndChoiceListsComeFromTheStringTable) {
  ProbeDlg dlg;
  ProbeDlg page(IDD_DAY_DECO_EDT);
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  HWND d = dlg.hwnd;
  ASSERT_NE(dlg.EmbedPage(page, IDC_MARKER), nullptr);
  EXPECT_TRUE(GetWindowLongPtrA(page.hwnd, GWL_STYLE) & WS_VISIBLE);
  const RECT marker = driver::ChildRect(GetDlgItem(d, IDC_MARKER)), placed = driver::ChildRect(page.hwnd);
  EXPECT_EQ(placed.left * 10000 + placed.top, marker.left * 10000 + marker.top);
  page.NotifyParent(ADN_INVALID, 102);
  EXPECT_EQ(dlg.messages.back(), 0x10000 + ADN_INVALID);

  dlg.FillCombo(IDC_HOLIDAY_COND, IDS_CHOICE_HOLIDAY, -1);
  EXPECT_EQ(SendDlgItemMessageA(d, IDC_HOLIDAY_COND, CB_GETCOUNT, 0, 0), 9);
  EXPECT_EQ(dialogs::ComboText(d, IDC_HOLIDAY_COND, 0), kNoCondition);
  EXPECT_EQ(dialogs::Selection(d, IDC_HOLIDAY_COND), -1);
  // An entry the string table lacks gives one empty choice.
  dlg.FillCombo(IDC_TODAY_COND, 9999, 0);
  EXPECT_EQ(SendDlgItemMessageA(d, IDC_TODAY_COND, CB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(dialogs::ComboText(d, IDC_TODAY_COND, 0), "");
  SetDlgItemTextA(d, IDC_DECO_NAME, kAllFiles.c_str());
  EXPECT_EQ(GetDlgItemString(d, IDC_DECO_NAME), kAllFiles);
  EXPECT_EQ(GetDlgItemString(d, 4242), "");
  DestroyWindow(d);
  EXPECT_EQ(page.ncDestroyed, 1) << "the page goes with its parent";
}

TEST(DialogFramework, PickersChangeNothingWhenCancelledAndColoursSaveTheCustomList) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "zanto-dlgfw\\";
  std::filesystem::create_directories(folder);
  OverrideDataFolderForTesting(folder);
  WriteFile(SettingsPath, "<ZantoSettings><Options><CustColor>ffffff</CustColor></Options></ZantoSettings>");
  ASSERT_EQ(CSettings::Instance().Load(), 0);
  const std::string settings = ReadFile(SettingsPath);
  CSolidBrush brush;
  const auto pick = [&](const char* red, int button) {
    DriveNextDialog([=](HWND picker) {
      SetDlgItemTextA(picker, kRed, red);
      SetDlgItemTextA(picker, kGreen, "0");
      SetDlgItemTextA(picker, kBlue, "128");
      SendMessageA(picker, WM_COMMAND, kAddCustom, 0);
      PostMessageA(picker, WM_COMMAND, button, 0);
    });
    return PickColor(dialogs::HiddenOwner(), RGB(1, 2, 3), dialogs::HiddenOwner(), brush);
  };
  EXPECT_EQ(pick("200", IDCANCEL), RGB(1, 2, 3));
  EXPECT_EQ(brush.brush, nullptr);
  EXPECT_EQ(ReadFile(SettingsPath), settings);
  EXPECT_EQ(pick("255", IDOK), RGB(255, 0, 128));
  EXPECT_EQ(brush.colour, RGB(255, 0, 128));
  EXPECT_NE(ReadFile(SettingsPath).find("<CustColor>8000ff,"), std::string::npos) << ReadFile(SettingsPath);

  LOGFONTA font = {-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"};
  LOGFONTA picked = font;
  Post(IDCANCEL);
  EXPECT_FALSE(PickFont(dialogs::HiddenOwner(), picked));
  EXPECT_EQ(memcmp(&picked, &font, sizeof font), 0);
  Post(IDOK);
  EXPECT_TRUE(PickFont(dialogs::HiddenOwner(), picked));
  EXPECT_NE(picked.lfFaceName[0], '\0');
  EXPECT_EQ(FontPointSize(-13) * 100 + FontPointSize(15), 1011);

  std::string path = "C:\\old.png";
  Post(IDCANCEL);
  EXPECT_FALSE(PickImageFile(dialogs::HiddenOwner(), path));
  EXPECT_EQ(path, "C:\\old.png");
  WriteFile(folder + "a.png", "png");
  std::vector<std::string> filters;
  DriveNextDialog([&](HWND picker) {
    filters = {dialogs::ComboText(picker, kFileTypes, 0), dialogs::ComboText(picker, kFileTypes, 1)};
    SetDlgItemTextA(picker, kFileName, (folder + "a.png").c_str());
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(PickImageFile(dialogs::HiddenOwner(), path));
  EXPECT_EQ(_stricmp(path.c_str(), (folder + "a.png").c_str()), 0) << path;
  EXPECT_EQ(filters, (std::vector<std::string>{"BMP/GIF/JPEG/PNG/TIFF", kAllFiles}));
  EXPECT_TRUE(dialogs::AllDriven());
  // The open dialog makes the picked file's folder the current one.
  SetCurrentDirectoryA(temp);
  std::filesystem::remove_all(folder);
}

// True when some pixel of the control on the screen is blue.
bool ShowsBlue(HWND d, int id) {
  HWND control = GetDlgItem(d, id);
  RECT rect;
  GetClientRect(control, &rect);
  HDC dc = GetDC(control);
  bool found = false;
  for (int i = 0; i < rect.right * rect.bottom && !found; ++i) found = GetPixel(dc, i % rect.right, i / rect.right) == RGB(0, 0, 255);
  ReleaseDC(control, dc);
  return found;
}

std::vector<std::string> opened;

HFONT FontOf(HWND d, int id, LOGFONTA& font) {
  auto handle = reinterpret_cast<HFONT>(SendDlgItemMessageA(d, id, WM_GETFONT, 0, 0));
  GetObjectA(handle, sizeof font, &font);
  return handle;
}

// Opens the version dialog, checks it from inside, clicks the address and closes it with Enter.
void RunVersionStory() {
  DlgVersion dlg;
  dlg.openLink = [](HWND, const char* address) { opened.push_back(address); };
  opened.clear();
  HFONT link = nullptr, title = nullptr;
  DriveNextDialog([&](HWND d) {
    EXPECT_EQ(dialogs::Text(d, IDC_VERSION_TEXT), LoadResourceString(IDS_VERSION));
    EXPECT_EQ(dialogs::Text(d, IDC_WEB_LINK), WebSiteAddress);
    LOGFONTA linkFont = {}, titleFont = {};
    link = FontOf(d, IDC_WEB_LINK, linkFont);
    title = FontOf(d, IDC_PROGRAM_TITLE, titleFont);
    EXPECT_TRUE(linkFont.lfUnderline);
    EXPECT_EQ(titleFont.lfHeight * 10000 + titleFont.lfWeight * 10 + titleFont.lfItalic, 169001);
    dialogs::Screenshot(d, L"dialog_version");
    EXPECT_TRUE(ShowsBlue(d, IDC_WEB_LINK) && ShowsBlue(d, IDC_PROGRAM_TITLE) && !ShowsBlue(d, IDC_VERSION_TEXT));
    for (int id : {IDC_WEB_LINK, IDC_WEB_LINK, IDC_VERSION_TEXT}) {
      SendDlgItemMessageA(d, id, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
      SendDlgItemMessageA(d, id, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }
    EXPECT_EQ(opened, (std::vector<std::string>{WebSiteAddress, WebSiteAddress}));
    EXPECT_TRUE(IsWindowVisible(d)) << "the dialog stays open";
    PostMessageA(GetDlgItem(d, IDOK), WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(dlg.DoModal(dialogs::HiddenOwner()), IDOK);
  EXPECT_TRUE(link && title && dialogs::AllDriven());
  EXPECT_EQ(GetObjectType(link) + GetObjectType(title), 0u) << "both fonts deleted";
}

TEST(DlgVersion, ShowsVersionAndLinkAndLeavesNoObjectBehind) {
  // The first two shown windows leave lasting objects of the system (frame, caption, focus).
  RunVersionStory();
  RunVersionStory();
  int gdi = dialogs::LiveGdiObjects();
  RunVersionStory();
  EXPECT_EQ(dialogs::LiveGdiObjects(), gdi);
  const int windows = dialogs::LiveWindows();
  for (int i = 0; i < 50; ++i) {
    DlgVersion dlg;
    SendMessageA(dlg.Create(dialogs::HiddenOwner()), WM_COMMAND, IDOK, 0);
    DestroyWindow(dlg.hwnd);
  }
  EXPECT_EQ(dialogs::LiveGdiObjects() * 1000 + dialogs::LiveWindows(), gdi * 1000 + windows);
}

}  // namespace
