// The day decoration editors driven through their controls as a user would: the list of
// decoration types, the dialog of one type with its conditions, and the attributes page.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/child_day_deco_edt.h"
#include "dialogs/dlg_day_edt.h"
#include "dialogs/dlg_deco_array_edt.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_support.h"
#include "tests/common/test_files.h"

namespace {

using dialogs::Checked;
using dialogs::Click;
using dialogs::DriveNextDialog;
using dialogs::Enabled;
using dialogs::Text;
using dialogs::Type;

// （標準）
const std::string kStandard = "\x81\x69\x95\x57\x8f\x80\x81\x6a";
// 休日以外
const std::string kNoHoliday = "\x8b\x78\x93\xfa\x88\xc8\x8a\x4f";

constexpr int kColourRed = 706;
constexpr int kColourGreen = 707;
constexpr int kColourBlue = 708;
constexpr int kColourAddCustom = 712;
constexpr int kFileName = 1148;

const char* const kSettings =
    "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
    "<ZantoSettings>\n"
    "  <Options>\n    <CustColor>ffffff,ffffff</CustColor>\n  </Options>\n"
    "  <DayDecoDef><!-- keep me -->\n"
    "    <DayDeco check=\"00000900\" mask=\"00000900\" name=\"Holiday\"><Color>0000ff</Color></DayDeco>\n"
    "    <DayDeco check=\"00000020\" mask=\"00000020\" name=\"Saturday\"><Color>ff0000</Color>"
    "<Frame><Line>3</Line><Color>00ff00</Color></Frame></DayDeco>\n"
    "    <DayDeco><Color>123456</Color></DayDeco>\n"
    "    <DayDeco name=\"_default\"><Color>000000</Color><ShadowColor>808080</ShadowColor>"
    "<Frame><Line>0</Line><Color>000000</Color></Frame><Mark><Type>0</Type><Color>000000</Color></Mark>"
    "<Image><Type>0</Type><Path></Path></Image></DayDeco>\n"
    "  </DayDecoDef>\n"
    "</ZantoSettings>\n";

std::string TempFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

std::vector<std::string> ListLines(HWND dialog) {
  std::vector<std::string> lines;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, IDC_DECO_LIST, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = "";
    SendDlgItemMessageA(dialog, IDC_DECO_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

int ListSelection(HWND dialog) {
  return static_cast<int>(SendDlgItemMessageA(dialog, IDC_DECO_LIST, LB_GETCURSEL, 0, 0));
}

std::vector<std::string> Names(const CDayDecoArray& list) {
  std::vector<std::string> names;
  for (const CDayDeco* deco : list) names.push_back(deco->name);
  return names;
}

HWND PageOf(HWND dialog) { return FindWindowExA(dialog, nullptr, "#32770", nullptr); }

// The colour the middle of a control shows on the screen.
COLORREF ShownColour(HWND control) {
  RedrawWindow(GetParent(control), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  dialogs::Pump();
  RECT rect;
  GetClientRect(control, &rect);
  HDC dc = GetDC(control);
  const COLORREF colour = GetPixel(dc, rect.right / 2, rect.bottom / 2);
  ReleaseDC(control, dc);
  return colour;
}

// Picks a colour in the colour dialog and adds it to the custom colours.
void PickInColourDialog(COLORREF colour) {
  DriveNextDialog([colour](HWND picker) {
    SetDlgItemTextA(picker, kColourRed, std::to_string(GetRValue(colour)).c_str());
    SetDlgItemTextA(picker, kColourGreen, std::to_string(GetGValue(colour)).c_str());
    SetDlgItemTextA(picker, kColourBlue, std::to_string(GetBValue(colour)).c_str());
    SendMessageA(picker, WM_COMMAND, kColourAddCustom, 0);
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
}

class DecoEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = TempFolder() + "zanto-deco-" + std::to_string(GetCurrentProcessId()) + "\\";
    std::filesystem::remove_all(folder);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    OverrideDataFolderForTesting(folder);
    WriteFile(SettingsPath, kSettings);
    CSettings& settings = CSettings::Instance();
    settings.DayDecoDef.Clear();
    ASSERT_EQ(settings.Load(), 0);
    ASSERT_EQ(settings.DayDecoDef.size(), 4u);
  }
  void TearDown() override {
    dialogs::Pump();
    SetCurrentDirectoryA(TempFolder().c_str());
    std::filesystem::remove_all(folder);
  }

  // A dialog of one decoration, run modeless so the test can drive it step by step.
  HWND OpenDayEdt(DlgDayEdt& dlg, CDayDeco& deco, const std::vector<CDayDeco*>* list = nullptr) {
    dlg.deco = &deco;
    dlg.workList = list;
    HWND window = dlg.Create(dialogs::HiddenOwner());
    EXPECT_NE(window, nullptr);
    return window;
  }

  std::string folder;
};

struct ButtonStates {
  int selection;
  bool edit, remove, up, down;
};

void ExpectButtons(HWND d, const ButtonStates& b) {
  dialogs::ChooseListLine(d, IDC_DECO_LIST, b.selection);
  EXPECT_EQ(Enabled(d, IDC_EDIT_DECO), b.edit) << "line " << b.selection;
  EXPECT_EQ(Enabled(d, IDC_DELETE_DECO), b.remove) << "line " << b.selection;
  EXPECT_EQ(Enabled(d, IDC_MOVE_UP), b.up) << "line " << b.selection;
  EXPECT_EQ(Enabled(d, IDC_MOVE_DOWN), b.down) << "line " << b.selection;
}

TEST_F(DecoEditors, ListStoryEditsCopiesAndWritesTheListAtOk) {
  CSettings& settings = CSettings::Instance();
  DlgDecoArrayEdt dlg;
  dlg.decoArray = &settings.DayDecoDef;
  HWND d = dlg.Create(dialogs::HiddenOwner());
  ASSERT_NE(d, nullptr);
  dialogs::Screenshot(d, L"dialog_deco_array_edt");

  // The unnamed entry is not shown; the standard one is, by its display name.
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Holiday", "Saturday", kStandard}));
  EXPECT_EQ(ListSelection(d), 0);
  const ButtonStates states[] = {{0, true, true, false, true},
                                 {1, true, true, true, false},
                                 {2, true, false, false, false}};
  for (const ButtonStates& b : states) ExpectButtons(d, b);

  dialogs::ChooseListLine(d, IDC_DECO_LIST, 0);
  Click(d, IDC_MOVE_DOWN);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Saturday", "Holiday", kStandard}));
  EXPECT_EQ(ListSelection(d), 1);
  Click(d, IDC_MOVE_UP);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Holiday", "Saturday", kStandard}));
  EXPECT_EQ(ListSelection(d), 0);

  // New: a taken or empty name, or nothing but standard attributes, keeps OK disabled.
  bool drove = false;
  DriveNextDialog([&](HWND edt) {
    drove = true;
    HWND page = PageOf(edt);
    EXPECT_FALSE(Enabled(edt, IDOK));
    Type(edt, IDC_DECO_NAME, "Holiday");
    Click(page, IDC_STD_COLOUR);
    EXPECT_FALSE(Checked(page, IDC_STD_COLOUR));
    EXPECT_FALSE(Enabled(edt, IDOK)) << "taken name";
    Type(edt, IDC_DECO_NAME, "");
    EXPECT_FALSE(Enabled(edt, IDOK)) << "empty name";
    Type(edt, IDC_DECO_NAME, "Weekdays");
    EXPECT_TRUE(Enabled(edt, IDOK));
    Click(page, IDC_STD_COLOUR);
    EXPECT_FALSE(Enabled(edt, IDOK)) << "all attributes standard";
    Click(page, IDC_STD_COLOUR);
    EXPECT_TRUE(Enabled(edt, IDOK));
    dialogs::ChooseCombo(edt, IDC_WEEKDAY_COND, 3);
    dialogs::ChooseCombo(edt, IDC_HOLIDAY_COND, 4);
    dialogs::Screenshot(edt, L"dialog_day_edt");
    PostMessageA(edt, WM_COMMAND, IDOK, 0);
  });
  Click(d, IDC_NEW_DECO);
  EXPECT_TRUE(drove);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Holiday", "Saturday", "Weekdays", kStandard}));
  EXPECT_EQ(ListSelection(d), 2);
  ExpectButtons(d, {2, true, true, true, false});

  // Edit: renaming to another entry's name is refused, the entry's own name accepted again.
  dialogs::ChooseListLine(d, IDC_DECO_LIST, 1);
  DriveNextDialog([&](HWND edt) {
    EXPECT_EQ(Text(edt, IDC_DECO_NAME), "Saturday");
    EXPECT_EQ(dialogs::ComboSelection(edt, IDC_WEEKDAY_COND), 1);
    HWND page = PageOf(edt);
    EXPECT_FALSE(Checked(page, IDC_STD_FRAME));
    Type(edt, IDC_DECO_NAME, "Weekdays");
    EXPECT_FALSE(Enabled(edt, IDOK));
    Type(edt, IDC_DECO_NAME, "Sat");
    EXPECT_TRUE(Enabled(edt, IDOK));
    Type(edt, IDC_DECO_NAME, "Saturday");
    EXPECT_TRUE(Enabled(edt, IDOK));
    Type(edt, IDC_DECO_NAME, "Sat");
    PostMessageA(edt, WM_COMMAND, IDOK, 0);
  });
  Click(d, IDC_EDIT_DECO);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Holiday", "Sat", "Weekdays", kStandard}));
  EXPECT_EQ(ListSelection(d), 1);

  dialogs::ChooseListLine(d, IDC_DECO_LIST, 0);
  Click(d, IDC_DELETE_DECO);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{"Sat", "Weekdays", kStandard}));
  EXPECT_EQ(ListSelection(d), 0);
  EXPECT_EQ(Names(settings.DayDecoDef).size(), 4u) << "the document changes only at OK";

  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Names(settings.DayDecoDef), (std::vector<std::string>{"Sat", "Weekdays", "_default"}));
  DestroyWindow(d);

  const std::string file = ReadFile(SettingsPath);
  const size_t list = file.find("<DayDecoDef>");
  const size_t comment = file.find("<!-- keep me -->");
  ASSERT_NE(comment, std::string::npos) << file;
  EXPECT_LT(list, comment);
  EXPECT_LT(comment, file.find("<DayDeco ", list)) << "the comment still opens the list";
  CSettings reread;
  ASSERT_EQ(reread.Load(), 0);
  ASSERT_EQ(Names(reread.DayDecoDef), (std::vector<std::string>{"Sat", "Weekdays", "_default"}));
  const CDayDeco& sat = *reread.DayDecoDef[0];
  EXPECT_EQ(sat.mask, 0x20u);
  EXPECT_EQ(sat.frameLine, 3) << "a frame style the list cannot show survives an edit";
  const CDayDeco& weekdays = *reread.DayDecoDef[1];
  EXPECT_EQ(weekdays.check, 0u);
  EXPECT_EQ(weekdays.mask, 0xF30u);
  EXPECT_EQ(weekdays.flags, static_cast<uint32_t>(kDecoColour));
}

TEST_F(DecoEditors, CancelAfterDeletionsAndMovesChangesNothing) {
  CSettings& settings = CSettings::Instance();
  const std::string fileBefore = ReadFile(SettingsPath);
  const CDayDeco* first = settings.DayDecoDef[0];
  DlgDecoArrayEdt dlg;
  dlg.decoArray = &settings.DayDecoDef;
  HWND d = dlg.Create(dialogs::HiddenOwner());
  ASSERT_NE(d, nullptr);
  Click(d, IDC_MOVE_DOWN);
  Click(d, IDC_DELETE_DECO);
  dialogs::ChooseListLine(d, IDC_DECO_LIST, 0);
  Click(d, IDC_DELETE_DECO);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{kStandard}));
  ExpectButtons(d, {0, true, false, false, false});
  // The buttons are off, and the handlers refuse to delete or move the standard entry anyway.
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_DELETE_DECO, BN_CLICKED), 0);
  SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_MOVE_UP, BN_CLICKED), 0);
  EXPECT_EQ(ListLines(d), (std::vector<std::string>{kStandard}));

  SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
  DestroyWindow(d);
  EXPECT_EQ(Names(settings.DayDecoDef),
            (std::vector<std::string>{"Holiday", "Saturday", "", "_default"}));
  EXPECT_EQ(settings.DayDecoDef[0], first);
  EXPECT_EQ(ReadFile(SettingsPath), fileBefore);
}

TEST_F(DecoEditors, ConditionsAreShownFromAndWrittenToCheckAndMask) {
  CDayDeco deco;
  deco.name = "Plain days";
  deco.mask = 0x0F00;
  deco.flags = kDecoColour;
  DlgDayEdt dlg;
  HWND d = OpenDayEdt(dlg, deco);
  EXPECT_EQ(dialogs::ComboSelection(d, IDC_HOLIDAY_COND), 4);
  EXPECT_EQ(Text(d, IDC_HOLIDAY_COND), kNoHoliday);
  EXPECT_EQ(dialogs::ComboSelection(d, IDC_TODAY_COND), 0);
  EXPECT_TRUE(Enabled(d, IDOK));

  dialogs::ChooseCombo(d, IDC_TODAY_COND, 2);
  dialogs::ChooseCombo(d, IDC_WEEKDAY_COND, 3);
  dialogs::ChooseCombo(d, IDC_HOLIDAY_COND, 0);
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(deco.check, 0u);
  EXPECT_EQ(deco.mask, 0x31u);
  EXPECT_EQ(deco.name, "Plain days");
  DestroyWindow(d);

  // Without the conditions shown, OK writes none.
  DlgDayEdt hidden;
  hidden.showConditions = false;
  d = OpenDayEdt(hidden, deco);
  for (int id : {IDC_TODAY_COND, IDC_WEEKDAY_COND, IDC_HOLIDAY_COND, IDC_HOLIDAY_LABEL}) {
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, id))) << id;
  }
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(deco.check, 0u);
  EXPECT_EQ(deco.mask, 0u);
  DestroyWindow(d);
}

TEST_F(DecoEditors, StandardDecorationKeepsItsNameConditionsAndAttributes) {
  CDayDeco& standard = *CSettings::Instance().DayDecoDef[3];
  ASSERT_EQ(standard.name, "_default");
  std::vector<CDayDeco*> list(CSettings::Instance().DayDecoDef.begin(),
                              CSettings::Instance().DayDecoDef.end());
  DlgDayEdt dlg;
  HWND d = OpenDayEdt(dlg, standard, &list);
  HWND page = PageOf(d);
  EXPECT_EQ(Text(d, IDC_DECO_NAME), kStandard);
  EXPECT_FALSE(Enabled(d, IDC_DECO_NAME));
  for (int id : {IDC_TODAY_COND, IDC_WEEKDAY_COND, IDC_HOLIDAY_COND}) {
    EXPECT_FALSE(Enabled(d, id)) << id;
    EXPECT_EQ(dialogs::ComboSelection(d, id), 0) << id;
  }
  for (int id : {IDC_STD_COLOUR, IDC_STD_SHADOW, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE}) {
    EXPECT_FALSE(Enabled(page, id)) << id;
    EXPECT_FALSE(Checked(page, id)) << id;
  }
  EXPECT_TRUE(Enabled(d, IDOK));
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(standard.name, "_default");
  EXPECT_EQ(standard.flags, kDecoAll);
  EXPECT_EQ(standard.mask, 0u);
  DestroyWindow(d);
}

TEST_F(DecoEditors, AttributesPageRowsFollowTheirBoxesAndTypesAndStoreAtOk) {
  CDayDeco deco;
  deco.name = "All";
  deco.flags = kDecoAll;
  deco.colour = RGB(255, 0, 0);
  deco.shadowColour = RGB(128, 128, 128);
  deco.frameLine = 1;
  deco.frameColour = RGB(0, 128, 0);
  deco.markType = 2;
  deco.markColour = RGB(255, 255, 0);
  deco.imageType = 1;
  deco.imagePath = "C:\\a.png";
  DlgDayEdt dlg;
  HWND d = OpenDayEdt(dlg, deco);
  HWND page = PageOf(d);
  ASSERT_NE(page, nullptr);
  dialogs::Screenshot(d, L"dialog_day_edt_attributes");

  EXPECT_EQ(dialogs::ComboSelection(page, IDC_FRAME_TYPE), 1);
  EXPECT_EQ(dialogs::ComboSelection(page, IDC_MARK_TYPE), 2);
  EXPECT_EQ(dialogs::ComboSelection(page, IDC_IMAGE_TYPE), 1);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "C:\\a.png");
  const struct {
    int swatch;
    COLORREF colour;
  } swatches[] = {{IDC_SWATCH_COLOUR, RGB(255, 0, 0)},
                  {IDC_SWATCH_SHADOW, RGB(128, 128, 128)},
                  {IDC_SWATCH_FRAME, RGB(0, 128, 0)},
                  {IDC_SWATCH_MARK, RGB(255, 255, 0)}};
  for (const auto& s : swatches) {
    EXPECT_EQ(ShownColour(GetDlgItem(page, s.swatch)), s.colour) << s.swatch;
  }

  // A ticked box clears and disables its row; unticked, the row's type comes back.
  Click(page, IDC_STD_IMAGE);
  EXPECT_EQ(dialogs::ComboSelection(page, IDC_IMAGE_TYPE), -1);
  EXPECT_FALSE(Enabled(page, IDC_IMAGE_TYPE));
  EXPECT_FALSE(Enabled(page, IDC_IMAGE_PATH));
  EXPECT_FALSE(Enabled(page, IDC_PICK_IMAGE));
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "");
  Click(page, IDC_STD_IMAGE);
  EXPECT_EQ(dialogs::ComboSelection(page, IDC_IMAGE_TYPE), 1);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "C:\\a.png");
  EXPECT_TRUE(Enabled(page, IDC_PICK_IMAGE));

  // Type "none" disables the row's values; a swatch of such a row shows no colour.
  dialogs::ChooseCombo(page, IDC_MARK_TYPE, 0);
  EXPECT_FALSE(Enabled(page, IDC_SWATCH_MARK));
  EXPECT_FALSE(Enabled(page, IDC_PICK_MARK));
  EXPECT_NE(ShownColour(GetDlgItem(page, IDC_SWATCH_MARK)), RGB(255, 255, 0));
  dialogs::ChooseCombo(page, IDC_IMAGE_TYPE, 0);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "");
  dialogs::ChooseCombo(page, IDC_IMAGE_TYPE, 3);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "C:\\a.png");
  Type(page, IDC_IMAGE_PATH, "C:\\b.png");
  Click(page, IDC_STD_SHADOW);
  EXPECT_EQ(ShownColour(GetDlgItem(page, IDC_SWATCH_SHADOW)), GetSysColor(COLOR_BTNFACE));

  // Ticking every box leaves nothing to draw: OK is disabled until one is unticked.
  for (int id : {IDC_STD_COLOUR, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE}) Click(page, id);
  EXPECT_FALSE(Enabled(d, IDOK));
  for (int id : {IDC_STD_COLOUR, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE}) Click(page, id);
  EXPECT_TRUE(Enabled(d, IDOK));
  EXPECT_EQ(deco.flags, kDecoAll) << "nothing is written before OK";

  PickInColourDialog(RGB(0, 0, 255));
  Click(page, IDC_PICK_COLOUR);
  EXPECT_EQ(ShownColour(GetDlgItem(page, IDC_SWATCH_COLOUR)), RGB(0, 0, 255));
  EXPECT_TRUE(dialogs::AllDriven());

  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(deco.flags, kDecoAll & ~kDecoShadow);
  EXPECT_EQ(deco.colour, RGB(0, 0, 255));
  EXPECT_EQ(deco.shadowColour, RGB(128, 128, 128)) << "a standard row keeps its old values";
  EXPECT_EQ(deco.frameLine, 1);
  EXPECT_EQ(deco.markType, 0);
  EXPECT_EQ(deco.imageType, 3);
  EXPECT_EQ(deco.imagePath, "C:\\b.png");
  DestroyWindow(d);
}

TEST_F(DecoEditors, ColourPickedThenCancelledLeavesTheDecorationButSavesCustomColours) {
  CDayDeco deco;
  deco.name = "Red";
  deco.flags = kDecoColour;
  deco.colour = RGB(255, 0, 0);
  const CDayDeco before = deco;
  DlgDayEdt dlg;
  HWND d = OpenDayEdt(dlg, deco);
  HWND page = PageOf(d);
  PickInColourDialog(RGB(0, 255, 0));
  Click(page, IDC_PICK_COLOUR);
  // The image picker too: its file lands in the path edit, and is forgotten with the rest.
  const std::string image = folder + "flower.png";
  WriteFile(image, "png");
  Click(page, IDC_STD_IMAGE);
  dialogs::ChooseCombo(page, IDC_IMAGE_TYPE, 2);
  DriveNextDialog([&](HWND picker) {
    SetDlgItemTextA(picker, kFileName, image.c_str());
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  Click(page, IDC_PICK_IMAGE);
  EXPECT_EQ(_stricmp(Text(page, IDC_IMAGE_PATH).c_str(), image.c_str()), 0);
  EXPECT_TRUE(dialogs::AllDriven());

  SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
  DestroyWindow(d);
  EXPECT_EQ(deco.flags, before.flags);
  EXPECT_EQ(deco.colour, before.colour);
  EXPECT_EQ(deco.imagePath, before.imagePath);
  EXPECT_NE(ReadFile(SettingsPath).find("<CustColor>00ff00,"), std::string::npos);
}

// Opening and cancelling each editor many times leaves no GDI object and no window behind.
TEST_F(DecoEditors, OpeningAndCancellingLeaksNothing) {
  CSettings& settings = CSettings::Instance();
  CDayDeco deco = *settings.DayDecoDef[0];
  const auto openList = [&] {
    DlgDecoArrayEdt dlg;
    dlg.decoArray = &settings.DayDecoDef;
    HWND d = dlg.Create(dialogs::HiddenOwner());
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(d);
  };
  const auto openDay = [&] {
    DlgDayEdt dlg;
    HWND d = OpenDayEdt(dlg, deco);
    SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
    DestroyWindow(d);
  };
  for (const auto& open : {std::function<void()>(openList), std::function<void()>(openDay)}) {
    open();  // first use may create lasting objects (fonts, classes)
    dialogs::Pump();
    const int gdi = dialogs::LiveGdiObjects();
    const int windows = dialogs::LiveWindows();
    for (int i = 0; i < 50; ++i) open();
    dialogs::Pump();
    EXPECT_EQ(dialogs::LiveGdiObjects(), gdi);
    EXPECT_EQ(dialogs::LiveWindows(), windows);
  }
  // The counts can see a leak.
  const int gdi = dialogs::LiveGdiObjects();
  const int windows = dialogs::LiveWindows();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(dialogs::LiveGdiObjects(), gdi + 1);
  EXPECT_EQ(dialogs::LiveWindows(), windows + 1);
  DeleteObject(brush);
  DestroyWindow(window);
}

}  // namespace
