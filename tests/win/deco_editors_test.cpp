// The day decoration editors driven through their controls as a user would: the list of
// decoration types, the dialog of one type with its conditions, and the attributes page.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/dlg_day_edt.h"
#include "dialogs/dlg_deco_array_edt.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/dialog_support.h"
#include "tests/common/test_files.h"

namespace {

using namespace dialogs;
using Lines = std::vector<std::string>;

// （標準）, 休日以外
const std::string kStandard = "\x81\x69\x95\x57\x8f\x80\x81\x6a";
const std::string kNoHoliday = "\x8b\x78\x93\xfa\x88\xc8\x8a\x4f";
constexpr int kRed = 706, kGreen = 707, kBlue = 708, kAddCustom = 712, kFileName = 1148;
constexpr int kBoxes[] = {IDC_STD_COLOUR, IDC_STD_SHADOW, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE};

const char* const kSettings =
    "<ZantoSettings>\n  <Options><CustColor>ffffff</CustColor></Options>\n"
    "  <DayDecoDef><!-- keep me -->\n"
    "    <DayDeco check=\"00000900\" mask=\"00000900\" name=\"Holiday\"><Color>0000ff</Color></DayDeco>\n"
    "    <DayDeco check=\"00000020\" mask=\"00000020\" name=\"Saturday\"><Frame><Line>3</Line></Frame></DayDeco>\n"
    "    <DayDeco><Color>123456</Color></DayDeco>\n"
    "    <DayDeco name=\"_default\"><Color>000000</Color><ShadowColor>808080</ShadowColor><Frame/><Mark/>"
    "<Image/></DayDeco>\n  </DayDecoDef>\n</ZantoSettings>\n";

Lines ListLines(HWND d) {
  Lines lines;
  for (int i = 0; i < SendDlgItemMessageA(d, IDC_DECO_LIST, LB_GETCOUNT, 0, 0); ++i) {
    char text[256] = "";
    SendDlgItemMessageA(d, IDC_DECO_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

Lines Names(const CDayDecoArray& list) {
  Lines names;
  for (const CDayDeco* deco : list) names.push_back(deco->name);
  return names;
}

// Edit, delete, up and down enabled, as one number (1101: edit, up, down on, delete off).
int Buttons(HWND d) {
  return Enabled(d, IDC_EDIT_DECO) * 1000 + Enabled(d, IDC_DELETE_DECO) * 100 + Enabled(d, IDC_MOVE_UP) * 10 +
         Enabled(d, IDC_MOVE_DOWN);
}

HWND PageOf(HWND dialog) { return FindWindowExA(dialog, nullptr, "#32770", nullptr); }

COLORREF ShownColour(HWND d, int id) {
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HWND control = GetDlgItem(d, id);
  RECT rect;
  GetClientRect(control, &rect);
  HDC dc = GetDC(control);
  const COLORREF colour = GetPixel(dc, rect.right / 2, rect.bottom / 2);
  ReleaseDC(control, dc);
  return colour;
}

void PickInColourDialog(HWND page, COLORREF colour) {
  DriveNextDialog([colour](HWND picker) {
    SetDlgItemTextA(picker, kRed, std::to_string(GetRValue(colour)).c_str());
    SetDlgItemTextA(picker, kGreen, std::to_string(GetGValue(colour)).c_str());
    SetDlgItemTextA(picker, kBlue, std::to_string(GetBValue(colour)).c_str());
    SendMessageA(picker, WM_COMMAND, kAddCustom, 0);
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  Click(page, IDC_PICK_COLOUR);
}

class DecoEditors : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "zanto-deco\\";
    std::filesystem::create_directories(folder);
    OverrideDataFolderForTesting(folder);
    WriteFile(SettingsPath, kSettings);
    CSettings::Instance().DayDecoDef.Clear();
    ASSERT_EQ(CSettings::Instance().Load(), 0);
  }
  void TearDown() override { SetCurrentDirectoryA("C:\\"); }

  CDayDecoArray& list = CSettings::Instance().DayDecoDef;
  std::string folder;
};

TEST_F(DecoEditors, ListStoryEditsCopiesAndWritesTheListAtOk) {
  DlgDecoArrayEdt dlg;
  dlg.decoArray = &list;
  HWND d = dlg.Create(HiddenOwner());
  Screenshot(d, L"dialog_deco_array_edt");
  // The unnamed entry is left out; the standard one shows its display name.
  EXPECT_EQ(ListLines(d), (Lines{"Holiday", "Saturday", kStandard}));
  EXPECT_EQ(Selection(d, IDC_DECO_LIST), 0);
  for (auto [line, buttons] : {std::pair{0, 1101}, {1, 1110}, {2, 1000}}) {
    Choose(d, IDC_DECO_LIST, line);
    EXPECT_EQ(Buttons(d), buttons) << line;
  }
  Choose(d, IDC_DECO_LIST, 0);
  Click(d, IDC_MOVE_DOWN);
  EXPECT_EQ(ListLines(d), (Lines{"Saturday", "Holiday", kStandard}));
  EXPECT_EQ(Selection(d, IDC_DECO_LIST), 1);
  Click(d, IDC_MOVE_UP);
  EXPECT_EQ(ListLines(d), (Lines{"Holiday", "Saturday", kStandard}));

  // New: a taken or empty name, or only standard attributes, keep OK disabled.
  DriveNextDialog([&](HWND edt) {
    HWND page = PageOf(edt);
    Click(page, IDC_STD_COLOUR);
    const struct {
      const char* name;
      bool ok;
    } names[] = {{"Holiday", false}, {"", false}, {"Weekdays", true}};
    for (const auto& n : names) {
      Type(edt, IDC_DECO_NAME, n.name);
      EXPECT_EQ(Enabled(edt, IDOK), n.ok) << n.name;
    }
    Click(page, IDC_STD_COLOUR);
    EXPECT_FALSE(Enabled(edt, IDOK)) << "all attributes standard";
    Click(page, IDC_STD_COLOUR);
    Choose(edt, IDC_WEEKDAY_COND, 3);
    Choose(edt, IDC_HOLIDAY_COND, 4);
    Screenshot(edt, L"dialog_day_edt");
    PostMessageA(GetDlgItem(edt, IDOK), BM_CLICK, 0, 0);
  });
  Click(d, IDC_NEW_DECO);
  EXPECT_EQ(ListLines(d), (Lines{"Holiday", "Saturday", "Weekdays", kStandard}));
  EXPECT_EQ(Selection(d, IDC_DECO_LIST) * 10000 + Buttons(d), 21110);

  // Edit: another entry's name is refused, the entry's own accepted again.
  Choose(d, IDC_DECO_LIST, 1);
  DriveNextDialog([&](HWND edt) {
    EXPECT_EQ(Selection(edt, IDC_WEEKDAY_COND), 1);
    for (auto [name, ok] : {std::pair{"Weekdays", false}, {"Saturday", true}, {"Sat", true}}) {
      Type(edt, IDC_DECO_NAME, name);
      EXPECT_EQ(Enabled(edt, IDOK), ok) << name;
    }
    PostMessageA(GetDlgItem(edt, IDOK), BM_CLICK, 0, 0);
  });
  Click(d, IDC_EDIT_DECO);
  Choose(d, IDC_DECO_LIST, 0);
  Click(d, IDC_DELETE_DECO);
  EXPECT_EQ(ListLines(d), (Lines{"Sat", "Weekdays", kStandard}));
  EXPECT_EQ(Selection(d, IDC_DECO_LIST), 0);
  EXPECT_EQ(list.size(), 4u) << "the document changes only at OK";

  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
  EXPECT_EQ(Names(list), (Lines{"Sat", "Weekdays", "_default"}));
  const std::string file = ReadFile(SettingsPath);
  EXPECT_LT(file.find("<DayDecoDef>"), file.find("<!-- keep me -->"));
  EXPECT_LT(file.find("<!-- keep me -->"), file.find("<DayDeco ")) << file;
  CSettings reread;
  ASSERT_EQ(reread.Load(), 0);
  ASSERT_EQ(Names(reread.DayDecoDef), (Lines{"Sat", "Weekdays", "_default"}));
  EXPECT_EQ(reread.DayDecoDef[0]->frameLine, 3) << "a frame style the list cannot show survives";
  const CDayDeco& weekdays = *reread.DayDecoDef[1];
  EXPECT_EQ(weekdays.check * 0x10000 + weekdays.mask, 0xF30u);
  EXPECT_EQ(weekdays.flags, static_cast<uint32_t>(kDecoColour));
}

TEST_F(DecoEditors, CancelAfterDeletionsAndMovesChangesNothing) {
  const std::string file = ReadFile(SettingsPath);
  const CDayDeco* first = list[0];
  DlgDecoArrayEdt dlg;
  dlg.decoArray = &list;
  HWND d = dlg.Create(HiddenOwner());
  Click(d, IDC_MOVE_DOWN);
  Click(d, IDC_DELETE_DECO);
  Choose(d, IDC_DECO_LIST, 0);
  Click(d, IDC_DELETE_DECO);
  // Even asked directly, the standard entry is neither deleted nor moved.
  for (int button : {IDC_DELETE_DECO, IDC_MOVE_UP, IDC_MOVE_DOWN}) SendMessageA(d, WM_COMMAND, button, 0);
  EXPECT_EQ(ListLines(d), (Lines{kStandard}));
  EXPECT_EQ(Buttons(d), 1000);
  SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
  DestroyWindow(d);
  EXPECT_EQ(Names(list), (Lines{"Holiday", "Saturday", "", "_default"}));
  EXPECT_EQ(list[0], first);
  EXPECT_EQ(ReadFile(SettingsPath), file);
}

TEST_F(DecoEditors, ConditionsAndTheStandardDecorationsRules) {
  CDayDeco deco;
  deco.name = "Plain days";
  deco.mask = 0x0F00;
  deco.flags = kDecoColour;
  for (bool shown : {true, false}) {
    DlgDayEdt dlg;
    dlg.deco = &deco;
    dlg.showConditions = shown;
    HWND d = dlg.Create(HiddenOwner());
    for (int id : {IDC_TODAY_COND, IDC_WEEKDAY_LABEL, IDC_HOLIDAY_COND}) {
      EXPECT_EQ((GetWindowLongPtrA(GetDlgItem(d, id), GWL_STYLE) & WS_VISIBLE) != 0, shown) << id;
    }
    if (shown) {
      EXPECT_EQ(Text(d, IDC_HOLIDAY_COND), kNoHoliday);
    }
    Choose(d, IDC_TODAY_COND, 2);
    Choose(d, IDC_WEEKDAY_COND, 3);
    Choose(d, IDC_HOLIDAY_COND, 0);
    SendMessageA(d, WM_COMMAND, IDOK, 0);
    DestroyWindow(d);
    EXPECT_EQ(deco.check * 0x10000 + deco.mask, shown ? 0x31u : 0u);
  }

  CDayDeco& standard = *list[3];
  // A user's entry shown like the standard one does not lock the standard one's OK.
  CDayDeco twin;
  twin.name = kStandard;
  std::vector<CDayDeco*> work{list[0], &twin, &standard};
  DlgDayEdt dlg;
  dlg.deco = &standard;
  dlg.workList = &work;
  HWND d = dlg.Create(HiddenOwner());
  EXPECT_EQ(Text(d, IDC_DECO_NAME), kStandard);
  for (int id : {IDC_DECO_NAME, IDC_TODAY_COND, IDC_WEEKDAY_COND, IDC_HOLIDAY_COND}) EXPECT_FALSE(Enabled(d, id)) << id;
  for (int id : kBoxes) EXPECT_FALSE(Enabled(PageOf(d), id) || IsDlgButtonChecked(PageOf(d), id)) << id;
  EXPECT_TRUE(Enabled(d, IDOK));
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
  EXPECT_EQ(standard.name, "_default");
  EXPECT_EQ(standard.flags * 0x10000 + standard.mask, kDecoAll * 0x10000);
}

TEST_F(DecoEditors, AttributesPageRowsFollowTheirBoxesAndTypesAndStoreOnlyAtOk) {
  CDayDeco deco;
  XMLDocument doc;
  doc.Parse("<DayDeco name=\"All\"><Color>0000ff</Color><ShadowColor>808080</ShadowColor><Frame><Line>1</Line>"
            "<Color>008000</Color></Frame><Mark><Type>2</Type><Color>00ffff</Color></Mark><Image><Type>1</Type>"
            "<Path>C:\\a.png</Path></Image></DayDeco>");
  deco.Load(doc.RootElement());
  const CDayDeco before = deco;

  // Colour and image picked, then cancelled: the decoration stays, the custom colours are saved.
  DlgDayEdt cancelled;
  cancelled.deco = &deco;
  HWND page = PageOf(cancelled.Create(HiddenOwner()));
  PickInColourDialog(page, RGB(0, 255, 0));
  WriteFile(folder + "b.png", "png");
  DriveNextDialog([&](HWND picker) {
    SetDlgItemTextA(picker, kFileName, (folder + "b.png").c_str());
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
  });
  Click(page, IDC_PICK_IMAGE);
  EXPECT_EQ(_stricmp(Text(page, IDC_IMAGE_PATH).c_str(), (folder + "b.png").c_str()), 0);
  SendMessageA(cancelled.hwnd, WM_COMMAND, IDCANCEL, 0);
  DestroyWindow(cancelled.hwnd);
  EXPECT_EQ(deco.colour, before.colour);
  EXPECT_EQ(deco.imagePath, before.imagePath);
  EXPECT_NE(ReadFile(SettingsPath).find("<CustColor>00ff00,"), std::string::npos);

  DlgDayEdt dlg;
  dlg.deco = &deco;
  HWND d = dlg.Create(HiddenOwner());
  page = PageOf(d);
  Screenshot(d, L"dialog_day_edt_attributes");
  EXPECT_EQ(Selection(page, IDC_FRAME_TYPE) * 100 + Selection(page, IDC_MARK_TYPE) * 10 + Selection(page, IDC_IMAGE_TYPE), 121);
  for (auto [id, colour] : {std::pair{IDC_SWATCH_COLOUR, deco.colour}, {IDC_SWATCH_SHADOW, deco.shadowColour},
                             {IDC_SWATCH_FRAME, deco.frameColour}, {IDC_SWATCH_MARK, deco.markColour}}) {
    EXPECT_EQ(ShownColour(page, id), colour) << id;
  }

  // A ticked box clears and disables its row; unticked, the row's type and path come back.
  Click(page, IDC_STD_IMAGE);
  EXPECT_EQ(Selection(page, IDC_IMAGE_TYPE), -1);
  EXPECT_FALSE(Enabled(page, IDC_IMAGE_TYPE) || Enabled(page, IDC_IMAGE_PATH) || Enabled(page, IDC_PICK_IMAGE));
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "");
  Click(page, IDC_STD_IMAGE);
  EXPECT_EQ(Selection(page, IDC_IMAGE_TYPE), 1);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "C:\\a.png");
  // Type "none" turns the row's values off.
  Choose(page, IDC_MARK_TYPE, 0);
  EXPECT_FALSE(Enabled(page, IDC_SWATCH_MARK) || Enabled(page, IDC_PICK_MARK));
  EXPECT_NE(ShownColour(page, IDC_SWATCH_MARK), RGB(255, 255, 0));
  Choose(page, IDC_IMAGE_TYPE, 0);
  EXPECT_EQ(Text(page, IDC_IMAGE_PATH), "");
  Choose(page, IDC_IMAGE_TYPE, 3);
  Type(page, IDC_IMAGE_PATH, "C:\\c.png");
  Click(page, IDC_STD_SHADOW);
  EXPECT_EQ(ShownColour(page, IDC_SWATCH_SHADOW), GetSysColor(COLOR_BTNFACE));
  for (int id : {IDC_STD_COLOUR, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE}) Click(page, id);
  EXPECT_FALSE(Enabled(d, IDOK)) << "all five standard";
  SendMessageA(d, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(IsWindow(d) && deco.flags == kDecoAll) << "Enter does not get past a disabled OK";
  for (int id : {IDC_STD_COLOUR, IDC_STD_FRAME, IDC_STD_MARK, IDC_STD_IMAGE}) Click(page, id);
  EXPECT_TRUE(Enabled(d, IDOK));
  PickInColourDialog(page, RGB(0, 0, 255));
  EXPECT_EQ(ShownColour(page, IDC_SWATCH_COLOUR), RGB(0, 0, 255));
  EXPECT_EQ(deco.flags, kDecoAll) << "nothing is written before OK";

  SendMessageA(d, WM_COMMAND, IDOK, 0);
  DestroyWindow(d);
  EXPECT_EQ(deco.flags, kDecoAll & ~kDecoShadow);
  EXPECT_EQ(deco.colour, RGB(0, 0, 255));
  EXPECT_EQ(deco.shadowColour, before.shadowColour) << "a standard row keeps its old values";
  EXPECT_EQ(deco.frameLine * 100 + deco.markType * 10 + deco.imageType, 103);
  EXPECT_EQ(deco.imagePath, "C:\\c.png");
  EXPECT_TRUE(AllDriven());
}

// Opening and cancelling each editor fifty times leaves no GDI object and no window behind.
TEST_F(DecoEditors, OpeningAndCancellingLeaksNothing) {
  CDayDeco deco = *list[1];
  for (bool listDialog : {true, false}) {
    const auto open = [&] {
      DlgDecoArrayEdt arrayEdt;
      DlgDayEdt dayEdt;
      arrayEdt.decoArray = &list;
      dayEdt.deco = &deco;
      AppDlg& dlg = listDialog ? static_cast<AppDlg&>(arrayEdt) : dayEdt;
      SendMessageA(dlg.Create(HiddenOwner()), WM_COMMAND, IDCANCEL, 0);
      DestroyWindow(dlg.hwnd);
    };
    open();
    const int gdi = LiveGdiObjects(), windows = LiveWindows();
    for (int i = 0; i < 50; ++i) open();
    EXPECT_EQ(LiveGdiObjects(), gdi);
    EXPECT_EQ(LiveWindows(), windows);
  }
  // The counts do see a leak.
  const int gdi = LiveGdiObjects(), windows = LiveWindows();
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(LiveGdiObjects() * 1000 + LiveWindows(), (gdi + 1) * 1000 + windows + 1);
  DeleteObject(brush);
  DestroyWindow(window);
}

}  // namespace
