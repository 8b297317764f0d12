// The dialog framework inside the test process: the shared dialog procedure and its registry,
// page embedding, choice lists from the string table, colour swatch brushes and the colour,
// font and image-file pickers driven through the common dialogs.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/app_dlg.h"
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

// 条件なし
const std::string kNoCondition = "\x8f\xf0\x8c\x8f\x82\xc8\x82\xb5";
// 全てのファイル(*.*)
const std::string kAllFiles = "\x91\x53\x82\xc4\x82\xcc\x83\x74\x83\x40\x83\x43\x83\x8b(*.*)";

// Controls of the common dialogs as comdlg32 numbers them.
constexpr int kColourRed = 706;
constexpr int kColourGreen = 707;
constexpr int kColourBlue = 708;
constexpr int kColourAddCustom = 712;
constexpr int kFileTypes = 1136;
constexpr int kFileName = 1148;

// A dialog that records what reaches it, on the decoration dialog's template.
class ProbeDlg : public AppDlg {
 public:
  ProbeDlg() : AppDlg(IDD_DAY_EDT) {}
  INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM) override {
    messages.push_back(message);
    if (message == WM_APPDLG_NOTIFY) notices.push_back(wParam);
    return 0;
  }
  INT_PTR OnCommand(WPARAM wParam, LPARAM) override {
    commands.push_back(LOWORD(wParam));
    return 0;
  }
  INT_PTR OnInitDialog() override {
    initialised = hwnd != nullptr;
    return TRUE;
  }
  INT_PTR OnNcDestroy() override {
    ++ncDestroyed;
    return 0;
  }
  using AppDlg::EmbedPage;
  using AppDlg::NotifyParent;

  bool initialised = false;
  int ncDestroyed = 0;
  std::vector<UINT> messages;
  std::vector<WPARAM> notices;
  std::vector<int> commands;
};

// A page on the decoration page's template.
class ProbePage : public AppDlg {
 public:
  ProbePage() : AppDlg(IDD_DAY_DECO_EDT) {}
  using AppDlg::NotifyParent;
};

std::string TempFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

class DialogFramework : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = TempFolder() + "zanto-dlgfw-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    OverrideDataFolderForTesting(folder);
    WriteFile(SettingsPath,
              "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<ZantoSettings>\n  <Options>\n"
              "    <CustColor>ffffff,ffffff</CustColor>\n  </Options>\n</ZantoSettings>\n");
    ASSERT_EQ(CSettings::Instance().Load(), 0);
  }
  void TearDown() override {
    dialogs::Pump();
    // The open-file dialog makes the picked file's folder the current one.
    SetCurrentDirectoryA(TempFolder().c_str());
    std::filesystem::remove_all(folder);
  }

  std::string folder;
};

TEST_F(DialogFramework, RegistryReachesTheObjectOnlyBetweenInitAndNcDestroy) {
  ProbeDlg dlg;
  HWND window = dlg.Create(dialogs::HiddenOwner());
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(dlg.initialised);
  EXPECT_EQ(dlg.hwnd, window);
  EXPECT_EQ(dlg.parent, dialogs::HiddenOwner());
  EXPECT_EQ(FindAppDlg(window), &dlg);
  // WM_SETFONT comes before WM_INITDIALOG and must not have reached the object.
  for (UINT message : dlg.messages) EXPECT_NE(message, static_cast<UINT>(WM_SETFONT));

  dlg.commands.clear();
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_DECO_NAME, EN_CHANGE), 0);
  EXPECT_EQ(dlg.commands, std::vector<int>{IDC_DECO_NAME});

  DestroyWindow(window);
  EXPECT_EQ(dlg.ncDestroyed, 1);
  EXPECT_EQ(FindAppDlg(window), nullptr);
  EXPECT_EQ(dlg.hwnd, nullptr);
  const size_t seen = dlg.messages.size();
  // A window that reuses nothing of the object: messages to the old handle go nowhere.
  SendMessageA(window, WM_APPDLG_NOTIFY, ADN_VALID, 0);
  EXPECT_EQ(dlg.messages.size(), seen);
}

TEST_F(DialogFramework, ModalResultsAreOneForOkAndTwoForCancel) {
  const struct {
    int button;
    INT_PTR result;
  } cases[] = {{IDOK, 1}, {IDCANCEL, 2}};
  for (const auto& c : cases) {
    ProbeDlg dlg;
    DriveNextDialog([&](HWND dialog) { PostMessageA(dialog, WM_COMMAND, c.button, 0); });
    EXPECT_EQ(dlg.DoModal(dialogs::HiddenOwner()), c.result);
    EXPECT_EQ(dlg.ncDestroyed, 1);
    EXPECT_TRUE(dialogs::AllDriven());
  }
}

TEST_F(DialogFramework, PageSitsAtTheMarkerAndReportsToItsParent) {
  ProbeDlg dlg;
  ProbePage page;
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  HWND pageWindow = dlg.EmbedPage(page, IDC_MARKER);
  ASSERT_NE(pageWindow, nullptr);
  EXPECT_EQ(GetParent(pageWindow), dlg.hwnd);
  EXPECT_TRUE(GetWindowLongPtrA(pageWindow, GWL_STYLE) & WS_VISIBLE);
  const RECT marker = driver::ChildRect(GetDlgItem(dlg.hwnd, IDC_MARKER));
  const RECT placed = driver::ChildRect(pageWindow);
  EXPECT_EQ(placed.left, marker.left);
  EXPECT_EQ(placed.top, marker.top);

  page.NotifyParent(ADN_INVALID, 102);
  page.NotifyParent(ADN_VALID, 102);
  EXPECT_EQ(dlg.notices, (std::vector<WPARAM>{ADN_INVALID, ADN_VALID}));
  DestroyWindow(dlg.hwnd);
  EXPECT_EQ(page.hwnd, nullptr) << "the page goes with its parent";
}

TEST_F(DialogFramework, ChoiceListsComeFromTheStringTable) {
  ProbeDlg dlg;
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  HWND d = dlg.hwnd;
  dlg.FillCombo(IDC_HOLIDAY_COND, IDS_CHOICE_HOLIDAY, -1);
  EXPECT_EQ(dialogs::ComboCount(d, IDC_HOLIDAY_COND), 9);
  EXPECT_EQ(dialogs::ComboText(d, IDC_HOLIDAY_COND, 0), kNoCondition);
  EXPECT_EQ(dialogs::ComboText(d, IDC_HOLIDAY_COND, 8), "\x82\xbb\x82\xcc\x91\xbc" "13");
  EXPECT_EQ(dialogs::ComboSelection(d, IDC_HOLIDAY_COND), -1);
  EXPECT_EQ(dialogs::Text(d, IDC_HOLIDAY_COND), "");

  dlg.FillCombo(IDC_WEEKDAY_COND, IDS_CHOICE_WEEKDAY, 3);
  EXPECT_EQ(dialogs::ComboText(d, IDC_WEEKDAY_COND, 3), "\x8c\x8e\x81\x60\x8b\xe0");
  EXPECT_EQ(dialogs::ComboSelection(d, IDC_WEEKDAY_COND), 3);

  // An entry the string table lacks gives one empty choice.
  dlg.FillCombo(IDC_TODAY_COND, 9999, 0);
  EXPECT_EQ(dialogs::ComboCount(d, IDC_TODAY_COND), 1);
  EXPECT_EQ(dialogs::ComboText(d, IDC_TODAY_COND, 0), "");
  EXPECT_EQ(GetDlgItemString(d, IDC_DECO_NAME), "");
  SetDlgItemTextA(d, IDC_DECO_NAME, kAllFiles.c_str());
  EXPECT_EQ(GetDlgItemString(d, IDC_DECO_NAME), kAllFiles);
  EXPECT_EQ(GetDlgItemString(d, 4242), "");
  DestroyWindow(d);
}

TEST_F(DialogFramework, SolidBrushIsRemadeOnlyForANewColour) {
  const int before = dialogs::LiveGdiObjects();
  {
    CSolidBrush brush;
    EXPECT_EQ(brush.colour, 0xFFFFFFFFu);
    brush.SetColor(RGB(1, 2, 3));
    HBRUSH first = brush.brush;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(dialogs::LiveGdiObjects(), before + 1);
    brush.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(brush.brush, first);
    brush.SetColor(RGB(4, 5, 6));
    EXPECT_EQ(dialogs::LiveGdiObjects(), before + 1) << "the old brush is deleted";
    LOGBRUSH info = {};
    GetObjectA(brush.brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(4, 5, 6));
  }
  EXPECT_EQ(dialogs::LiveGdiObjects(), before);
}

TEST_F(DialogFramework, ColourPickedIsReturnedAndCustomColoursAreSavedAtOnce) {
  ProbeDlg dlg;
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  HWND swatch = GetDlgItem(dlg.hwnd, IDC_MARKER);
  CSolidBrush brush;
  brush.SetColor(RGB(10, 20, 30));

  // Cancelled: the colour, the brush and the file stay, even with a custom colour added.
  const std::string fileBefore = ReadFile(SettingsPath);
  DriveNextDialog([](HWND picker) {
    SetDlgItemTextA(picker, kColourRed, "200");
    SendMessageA(picker, WM_COMMAND, kColourAddCustom, 0);
    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(PickColor(dlg.hwnd, RGB(10, 20, 30), swatch, brush), RGB(10, 20, 30));
  EXPECT_EQ(brush.colour, RGB(10, 20, 30));
  EXPECT_EQ(ReadFile(SettingsPath), fileBefore);
  EXPECT_EQ(CSettings::Instance().Options.CustColor[0], 0xffffff);

  // Confirmed: the new colour, on the brush, and the custom colours in the file.
  DriveNextDialog([](HWND picker) {
    SetDlgItemTextA(picker, kColourRed, "255");
    SetDlgItemTextA(picker, kColourGreen, "0");
    SetDlgItemTextA(picker, kColourBlue, "128");
    SendMessageA(picker, WM_COMMAND, kColourAddCustom, 0);
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(PickColor(dlg.hwnd, RGB(10, 20, 30), swatch, brush), RGB(255, 0, 128));
  EXPECT_EQ(brush.colour, RGB(255, 0, 128));
  EXPECT_EQ(CSettings::Instance().Options.CustColor[0], static_cast<int32_t>(RGB(255, 0, 128)));
  EXPECT_NE(ReadFile(SettingsPath).find("<CustColor>8000ff,"), std::string::npos)
      << ReadFile(SettingsPath);
  EXPECT_TRUE(dialogs::AllDriven());
  DestroyWindow(dlg.hwnd);
}

TEST_F(DialogFramework, FontPickerChangesTheFontOnlyOnOk) {
  ProbeDlg dlg;
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  LOGFONTA font = {};
  font.lfHeight = -16;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(font.lfFaceName, "Tahoma");

  DriveNextDialog([](HWND picker) { PostMessageA(picker, WM_COMMAND, IDCANCEL, 0); });
  LOGFONTA cancelled = font;
  EXPECT_FALSE(PickFont(dlg.hwnd, cancelled));
  EXPECT_EQ(memcmp(&cancelled, &font, sizeof font), 0);

  DriveNextDialog([](HWND picker) { PostMessageA(picker, WM_COMMAND, IDOK, 0); });
  LOGFONTA picked = font;
  EXPECT_TRUE(PickFont(dlg.hwnd, picked));
  EXPECT_NE(picked.lfFaceName[0], '\0');
  EXPECT_NE(picked.lfHeight, 0);
  EXPECT_TRUE(dialogs::AllDriven());
  DestroyWindow(dlg.hwnd);

  const struct {
    LONG height;
    int points;
  } sizes[] = {{-16, 12}, {16, 12}, {-12, 9}, {-13, 10}, {-15, 11}, {0, 0}};
  for (const auto& s : sizes) EXPECT_EQ(FontPointSize(s.height), s.points) << s.height;
}

TEST_F(DialogFramework, ImageFilePickerOffersTwoFiltersAndReturnsOnlyAConfirmedFile) {
  ProbeDlg dlg;
  ASSERT_NE(dlg.Create(dialogs::HiddenOwner()), nullptr);
  const std::string image = folder + "picture.png";
  WriteFile(image, "not really a picture");

  std::string path = "C:\\old.png";
  DriveNextDialog([](HWND picker) { PostMessageA(picker, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(PickImageFile(dlg.hwnd, path));
  EXPECT_EQ(path, "C:\\old.png");

  std::vector<std::string> filters;
  DriveNextDialog([&](HWND picker) {
    for (int i = 0; i < dialogs::ComboCount(picker, kFileTypes); ++i) {
      filters.push_back(dialogs::ComboText(picker, kFileTypes, i));
    }
    SetDlgItemTextA(picker, kFileName, image.c_str());
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(PickImageFile(dlg.hwnd, path));
  EXPECT_EQ(_stricmp(path.c_str(), image.c_str()), 0) << path;
  EXPECT_EQ(filters, (std::vector<std::string>{"BMP/GIF/JPEG/PNG/TIFF", kAllFiles}));
  EXPECT_TRUE(dialogs::AllDriven());
  DestroyWindow(dlg.hwnd);
}

}  // namespace
