// End-to-end tests of Hoshiro.exe: started with a command line, found and driven through its
// dialog, closed, with the exit code checked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "../../resources/hoshiro_resource.h"
#include "support/driver.h"

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
// "[9:05] 会議の準備" (meeting preparation), the way a notification heads its message.
const std::wstring kJapaneseText = L"[9:05] \u4f1a\u8b70\u306e\u6e96\u5099";

std::wstring HoshiroPath() { return driver::ProgramPath(L"Hoshiro.exe"); }

// A running Hoshiro and its dialog.
struct Hoshiro {
  driver::Process process;
  HWND dialog = nullptr;

  HWND Control(int id) const { return GetDlgItem(dialog, id); }
  HWND TextArea() const { return Control(IDC_MESSAGE_TEXT); }
  HWND OkButton() const { return Control(IDOK); }
};

driver::Process StartProcess(const std::wstring& commandLine, const std::wstring& program) {
  driver::Process process = driver::Process::Start(commandLine, program);
  EXPECT_TRUE(process.Started()) << "CreateProcessW error " << process.StartError();
  return process;
}

// Waits for the dialog of a started Hoshiro and for it to be ready for input.
void WaitForDialog(Hoshiro& hoshiro) {
  if (!hoshiro.process.Started()) return;
  hoshiro.dialog = driver::WaitForWindow(hoshiro.process, kDialogClass);
  hoshiro.process.WaitForIdle(driver::kStartTimeoutMs);
}

Hoshiro Start(const std::wstring& commandLine, const std::wstring& program = HoshiroPath()) {
  Hoshiro hoshiro{StartProcess(commandLine, program)};
  WaitForDialog(hoshiro);
  return hoshiro;
}

// Started the way the calendar starts it: its full path in quotes, then the text.
Hoshiro Show(const std::wstring& text) {
  return Start(driver::Quoted(HoshiroPath()) + L" " + text);
}

void ExpectEndsWithExitCodeZero(const Hoshiro& hoshiro) {
  ASSERT_TRUE(hoshiro.process.Wait(driver::kStartTimeoutMs)) << "Hoshiro did not end";
  EXPECT_EQ(hoshiro.process.ExitCode(), 0u);
  EXPECT_FALSE(IsWindow(hoshiro.dialog));
}

void CloseWithOk(const Hoshiro& hoshiro) {
  if (hoshiro.dialog) driver::Post(hoshiro.OkButton(), BM_CLICK);
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

RECT Grown(const RECT& r, int dx, int dy) { return {r.left, r.top, r.right + dx, r.bottom + dy}; }
RECT Moved(const RECT& r, int dx, int dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "(" << actual.left << "," << actual.top << ")-(" << actual.right << "," << actual.bottom
         << ") instead of (" << expected.left << "," << expected.top << ")-(" << expected.right
         << "," << expected.bottom << ")";
}

// A copy of Hoshiro.exe in a folder whose path has spaces, as under "Program Files".
class HoshiroCopy {
 public:
  HoshiroCopy() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    outer_ = std::wstring(temp) + L"Zanto test " + std::to_wstring(GetCurrentProcessId());
    folder_ = outer_ + L"\\Program Files";
    path_ = folder_ + L"\\Hoshiro.exe";
    CreateDirectoryW(outer_.c_str(), nullptr);
    CreateDirectoryW(folder_.c_str(), nullptr);
    copied_ = CopyFileW(HoshiroPath().c_str(), path_.c_str(), FALSE) != 0;
  }
  ~HoshiroCopy() {
    DeleteFileW(path_.c_str());
    RemoveDirectoryW(folder_.c_str());
    RemoveDirectoryW(outer_.c_str());
  }
  bool Copied() const { return copied_; }
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring outer_, folder_, path_;
  bool copied_ = false;
};

TEST(HoshiroDialog, ShowsTheTextInAReadOnlyTopmostDialog) {
  Hoshiro hoshiro = Show(L"[9:05] Meeting");
  ASSERT_NE(hoshiro.dialog, nullptr) << "no dialog appeared";

  EXPECT_EQ(driver::Text(hoshiro.TextArea()), L"[9:05] Meeting");
  EXPECT_EQ(driver::Text(hoshiro.dialog), L"Zanto");
  EXPECT_EQ(driver::Text(hoshiro.OkButton()), L"OK");

  LONG_PTR exStyle = driver::ExStyle(hoshiro.dialog);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_APPWINDOW) << "no taskbar button";
  LONG_PTR style = driver::Style(hoshiro.dialog);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
            WS_CAPTION | WS_SYSMENU | WS_THICKFRAME);
  EXPECT_EQ(GetParent(hoshiro.dialog), nullptr);
  EXPECT_EQ(GetWindow(hoshiro.dialog, GW_OWNER), nullptr);

  LONG_PTR textStyle = driver::Style(hoshiro.TextArea());
  EXPECT_EQ(textStyle & (ES_MULTILINE | ES_READONLY), ES_MULTILINE | ES_READONLY);
  EXPECT_EQ(textStyle & (WS_BORDER | WS_VSCROLL | WS_HSCROLL), 0);
  EXPECT_EQ(driver::ExStyle(hoshiro.TextArea()) & WS_EX_CLIENTEDGE, 0);

  EXPECT_NE(driver::Send(hoshiro.Control(IDC_MESSAGE_ICON), STM_GETICON), 0)
      << "no information icon";
  // The focus shows while the dialog is active. Tests running side by side activate their
  // own windows, so the dialog is brought forward as the user's click would.
  EXPECT_TRUE(driver::WaitUntil(
      [&] {
        SetForegroundWindow(hoshiro.dialog);
        return driver::FocusOf(hoshiro.dialog) == hoshiro.OkButton();
      },
      driver::kMessageTimeoutMs, 50))
      << "OK should have the focus";

  // Centred in the work area.
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT window = driver::WindowRect(hoshiro.dialog);
  EXPECT_NEAR((window.left + window.right) / 2, (work.left + work.right) / 2, 2);
  EXPECT_NEAR((window.top + window.bottom) / 2, (work.top + work.bottom) / 2, 2);

  CloseWithOk(hoshiro);
  ExpectEndsWithExitCodeZero(hoshiro);
}

TEST(HoshiroDialog, ResizingGrowsTheTextAreaAndKeepsOkAtTheCorner) {
  Hoshiro hoshiro = Show(L"[9:05] Meeting");
  ASSERT_NE(hoshiro.dialog, nullptr);
  const RECT window = driver::WindowRect(hoshiro.dialog);
  const RECT client = driver::ClientRect(hoshiro.dialog);
  const RECT text = driver::ChildRect(hoshiro.TextArea());
  const RECT ok = driver::ChildRect(hoshiro.OkButton());
  auto expectLayout = [&](int dx, int dy) {
    RECT now = driver::WindowRect(hoshiro.dialog);
    EXPECT_EQ(Width(now), Width(window) + dx);
    EXPECT_EQ(Height(now), Height(window) + dy);
    EXPECT_TRUE(SameRect(driver::ChildRect(hoshiro.TextArea()), Grown(text, dx, dy)));
    EXPECT_TRUE(SameRect(driver::ChildRect(hoshiro.OkButton()), Moved(ok, dx, dy)));
  };

  {
    SCOPED_TRACE("enlarged");
    ASSERT_TRUE(driver::SetWindowRect(hoshiro.dialog, Grown(window, 120, 60)));
    expectLayout(120, 60);
  }
  {
    SCOPED_TRACE("back to the first size");
    ASSERT_TRUE(driver::SetWindowRect(hoshiro.dialog, window));
    expectLayout(0, 0);
  }
  {
    SCOPED_TRACE("smaller than the first size is refused");
    driver::SetWindowRect(hoshiro.dialog, Grown(window, -40, -20));
    expectLayout(0, 0);
  }
  {
    SCOPED_TRACE("narrower is refused, taller is taken");
    driver::SetWindowRect(hoshiro.dialog, Grown(window, -40, 50));
    expectLayout(0, 50);
  }
  {
    SCOPED_TRACE("maximised");
    driver::Send(hoshiro.dialog, WM_SYSCOMMAND, SC_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(hoshiro.dialog));
    // Under Wine the X server confirms the new size a moment later, and the layout follows.
    int dx = 0, dy = 0;
    driver::WaitUntil(
        [&] {
          const RECT maximised = driver::ClientRect(hoshiro.dialog);
          dx = Width(maximised) - Width(client);
          dy = Height(maximised) - Height(client);
          return SameRect(driver::ChildRect(hoshiro.OkButton()), Moved(ok, dx, dy));
        },
        driver::kMessageTimeoutMs);
    EXPECT_GT(dx, 0);
    EXPECT_GT(dy, 0);
    EXPECT_TRUE(SameRect(driver::ChildRect(hoshiro.TextArea()), Grown(text, dx, dy)));
    EXPECT_TRUE(SameRect(driver::ChildRect(hoshiro.OkButton()), Moved(ok, dx, dy)));
  }

  CloseWithOk(hoshiro);
  ExpectEndsWithExitCodeZero(hoshiro);
}

TEST(HoshiroDialog, EveryWayOfClosingEndsWithExitCodeZero) {
  struct Way {
    const char* name;
    void (*close)(const Hoshiro&);
  };
  const Way ways[] = {
      {"OK button", [](const Hoshiro& h) { driver::Post(h.OkButton(), BM_CLICK); }},
      {"Enter", [](const Hoshiro& h) { driver::Post(h.OkButton(), WM_KEYDOWN, VK_RETURN); }},
      {"Esc", [](const Hoshiro& h) { driver::Post(h.OkButton(), WM_KEYDOWN, VK_ESCAPE); }},
      {"IDCANCEL", [](const Hoshiro& h) { driver::Post(h.dialog, WM_COMMAND, IDCANCEL); }},
      {"close box", [](const Hoshiro& h) { driver::Post(h.dialog, WM_SYSCOMMAND, SC_CLOSE); }},
  };
  std::vector<Hoshiro> copies;
  for (const Way& way : ways)
    copies.push_back(Hoshiro{StartProcess(driver::Quoted(HoshiroPath()) + L" [9:05] " +
                                              std::wstring(way.name, way.name + strlen(way.name)),
                                          HoshiroPath())});
  for (Hoshiro& copy : copies) WaitForDialog(copy);

  for (size_t i = 0; i < copies.size(); ++i) {
    SCOPED_TRACE(ways[i].name);
    ASSERT_NE(copies[i].dialog, nullptr);
    ways[i].close(copies[i]);
  }
  for (size_t i = 0; i < copies.size(); ++i) {
    SCOPED_TRACE(ways[i].name);
    ExpectEndsWithExitCodeZero(copies[i]);
  }
}

TEST(HoshiroDialog, CopiesSideBySideShowTheirOwnTextsAndEndOneByOne) {
  struct Case {
    std::wstring text;
    LRESULT lines;
  };
  // The last one stays alone on the screen for its photograph.
  const Case cases[] = {
      {L"[9:05] Meeting", 1}, {L"[9:05] Meeting\r\nRoom 3", 2}, {kJapaneseText, 1}};
  std::vector<Hoshiro> copies;
  for (const Case& c : cases) {
    copies.push_back(Hoshiro{StartProcess(driver::Quoted(HoshiroPath()) + L" " + c.text, HoshiroPath())});
  }
  for (Hoshiro& copy : copies) WaitForDialog(copy);

  for (size_t closed = 0; closed < copies.size(); ++closed) {
    for (size_t i = closed; i < copies.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "copy " << i << " after " << closed << " ended");
      ASSERT_NE(copies[i].dialog, nullptr);
      EXPECT_TRUE(IsWindowVisible(copies[i].dialog));
      EXPECT_EQ(driver::Text(copies[i].TextArea()), cases[i].text);
      EXPECT_EQ(driver::Send(copies[i].TextArea(), EM_GETLINECOUNT), cases[i].lines);
    }
    if (closed + 1 == copies.size()) {
      // The dialog has painted once its process is idle; the X server shows it a moment later.
      Sleep(300);
      const std::wstring shot = driver::SaveScreenshot(copies[closed].dialog, L"hoshiro");
      EXPECT_TRUE(driver::ArtifactsFolder().empty() || !shot.empty()) << "screenshot not saved";
    }
    CloseWithOk(copies[closed]);
    ExpectEndsWithExitCodeZero(copies[closed]);
  }
}

TEST(HoshiroCommandLine, TextIsEverythingAfterTheProgramName) {
  HoshiroCopy copy;
  ASSERT_TRUE(copy.Copied());
  const std::wstring path = HoshiroPath();
  const std::wstring spaced = copy.Path();
  const std::wstring spacedStem = spaced.substr(0, spaced.size() - 4);  // without ".exe"
  struct Case {
    const char* name;
    std::wstring commandLine;
    std::wstring program;
    std::wstring text;
  };
  const Case cases[] = {
      {"quoted full path", driver::Quoted(path) + L" [9:05] Meeting", path, L"[9:05] Meeting"},
      {"unquoted full path", path + L" [9:05] Meeting", path, L"[9:05] Meeting"},
      {"program name only", L"Hoshiro.exe [9:05] Meeting", path, L"[9:05] Meeting"},
      {"quoted path with spaces", driver::Quoted(spaced) + L" [9:05] Meeting", spaced,
       L"[9:05] Meeting"},
      {"unquoted path with spaces", spaced + L" [9:05] Meeting", spaced, L"[9:05] Meeting"},
      {"unquoted path with spaces, no extension", spacedStem + L" [9:05] Meeting", spaced,
       L"[9:05] Meeting"},
      {"blanks after the name skipped, quotes and inner blanks kept",
       L"Hoshiro.exe \t  \"[9:05]\"  say \"hi\"\tnow", path, L"\"[9:05]\"  say \"hi\"\tnow"},
      {"quoted name directly followed by text", driver::Quoted(path) + L"[9:05]", path, L"[9:05]"},
      {"Japanese", L"Hoshiro.exe " + kJapaneseText, path, kJapaneseText},
  };
  std::vector<Hoshiro> copies;
  for (const Case& c : cases) copies.push_back(Hoshiro{StartProcess(c.commandLine, c.program)});
  for (Hoshiro& h : copies) WaitForDialog(h);

  for (size_t i = 0; i < copies.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    ASSERT_NE(copies[i].dialog, nullptr);
    EXPECT_EQ(driver::Text(copies[i].TextArea()), cases[i].text);
    CloseWithOk(copies[i]);
  }
  for (const Hoshiro& h : copies) ExpectEndsWithExitCodeZero(h);
}

TEST(HoshiroCommandLine, ShiftJisCommandLineOfTheCalendarArrivesAsJapanese) {
  // "[明日0:10] 表示の準備" in Shift_JIS; 表 ends in the byte 0x5C, a backslash in ASCII.
  const std::string commandLine =
      "Hoshiro.exe [\x96\xbe\x93\xfa"
      "0:10] \x95\x5c\x8e\xa6\x82\xcc\x8f\x80\x94\xf5";
  const std::wstring expected = L"[\u660e\u65e50:10] \u8868\u793a\u306e\u6e96\u5099";
  const std::wstring path = HoshiroPath();
  const std::string program(path.begin(), path.end());  // the build path is ASCII
  Hoshiro hoshiro{driver::Process::StartAnsi(commandLine, program)};
  ASSERT_TRUE(hoshiro.process.Started()) << "CreateProcessA error " << hoshiro.process.StartError();
  WaitForDialog(hoshiro);
  ASSERT_NE(hoshiro.dialog, nullptr);

  EXPECT_EQ(driver::Text(hoshiro.TextArea()), expected);
  EXPECT_EQ(driver::TextAnsi(hoshiro.TextArea()), commandLine.substr(12));

  CloseWithOk(hoshiro);
  ExpectEndsWithExitCodeZero(hoshiro);
}

TEST(HoshiroCommandLine, EmptyTextEndsAtOnceWithoutAWindow) {
  const std::wstring path = HoshiroPath();
  const std::wstring commandLines[] = {driver::Quoted(path), driver::Quoted(path) + L"   ", path,
                                       path + L" \t ", L"Hoshiro.exe"};
  for (const std::wstring& commandLine : commandLines) {
    SCOPED_TRACE(std::string(commandLine.begin(), commandLine.end()));
    driver::Process process = StartProcess(commandLine, path);
    bool windowSeen = false;
    bool ended = driver::WaitUntil(
        [&] {
          windowSeen = windowSeen || !driver::TopLevelWindows(process.Id()).empty();
          return !process.Running();
        },
        driver::kStartTimeoutMs, 5);
    ASSERT_TRUE(ended) << "Hoshiro waited with an empty text";
    EXPECT_EQ(process.ExitCode(), 0u);
    EXPECT_FALSE(windowSeen);
  }
}

// Reads the resources compiled into Hoshiro.exe: dialog templates and icon directories.
class ResourceReader {
 public:
  ResourceReader(const BYTE* data, size_t size) : p_(data), end_(data + size) {}

  WORD Word() { return Read<WORD>(); }
  DWORD Dword() { return Read<DWORD>(); }
  short Short() { return Read<short>(); }
  BYTE Byte() { return Read<BYTE>(); }
  // A name or an ordinal; ordinals come back as "#<number>".
  std::wstring NameOrOrdinal() {
    if (Peek() == 0xFFFF) {
      Word();
      return L"#" + std::to_wstring(Word());
    }
    return String();
  }
  std::wstring String() {
    std::wstring text;
    for (WORD c = Word(); c != 0 && !failed_; c = Word()) text += static_cast<wchar_t>(c);
    return text;
  }
  void AlignToDword(const BYTE* base) {
    while ((p_ - base) % 4) ++p_;
  }
  bool Failed() const { return failed_; }

 private:
  WORD Peek() {
    WORD value = Read<WORD>();
    if (!failed_) p_ -= sizeof(WORD);
    return value;
  }
  template <typename T>
  T Read() {
    T value{};
    if (p_ + sizeof(T) > end_) {
      failed_ = true;
      return value;
    }
    memcpy(&value, p_, sizeof(T));
    p_ += sizeof(T);
    return value;
  }

  const BYTE* p_;
  const BYTE* end_;
  bool failed_ = false;
};

struct ControlTemplate {
  DWORD style, exStyle;
  short x, y, cx, cy;
  DWORD id;
  std::wstring className, text;
};

// Class ordinals as the dialog manager knows them.
std::wstring ClassName(const std::wstring& nameOrOrdinal) {
  if (nameOrOrdinal == L"#128") return L"button";
  if (nameOrOrdinal == L"#129") return L"edit";
  if (nameOrOrdinal == L"#130") return L"static";
  std::wstring lower = nameOrOrdinal;
  for (wchar_t& c : lower) c = static_cast<wchar_t>(towlower(c));
  return lower;
}

class HoshiroResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(HoshiroPath().c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load Hoshiro.exe, error " << GetLastError();
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::pair<const BYTE*, size_t> Resource(const char* type, int id) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (!found) return {nullptr, 0};
    return {static_cast<const BYTE*>(LockResource(LoadResource(module_, found))),
            SizeofResource(module_, found)};
  }

  HMODULE module_ = nullptr;
};

TEST_F(HoshiroResources, DialogTemplateIsTheMessageLayout) {
  auto [data, size] = Resource(RT_DIALOG, IDD_MESSAGE);
  ASSERT_NE(data, nullptr) << "no dialog template 107";
  ResourceReader reader(data, size);

  EXPECT_EQ(reader.Word(), 1);  // extended template
  EXPECT_EQ(reader.Word(), 0xFFFF);
  reader.Dword();  // help id
  EXPECT_EQ(reader.Dword(), 0x40108u) << "extended styles";
  EXPECT_EQ(reader.Dword(), 0x10CC0840u) << "styles";
  WORD count = reader.Word();
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 160);
  EXPECT_EQ(reader.Short(), 78);
  EXPECT_EQ(reader.NameOrOrdinal(), L"") << "menu";
  EXPECT_EQ(reader.NameOrOrdinal(), L"") << "window class";
  EXPECT_EQ(reader.String(), L"Zanto");
  EXPECT_EQ(reader.Word(), 9) << "point size";
  reader.Word();  // weight
  reader.Byte();  // italic
  reader.Byte();  // character set
  EXPECT_EQ(reader.String(), L"MS UI Gothic");

  std::vector<ControlTemplate> controls;
  for (WORD i = 0; i < count && !reader.Failed(); ++i) {
    reader.AlignToDword(data);
    ControlTemplate control{};
    reader.Dword();  // help id
    control.exStyle = reader.Dword();
    control.style = reader.Dword();
    control.x = reader.Short();
    control.y = reader.Short();
    control.cx = reader.Short();
    control.cy = reader.Short();
    control.id = reader.Dword();
    control.className = ClassName(reader.NameOrOrdinal());
    control.text = reader.NameOrOrdinal();
    WORD extra = reader.Word();
    for (WORD b = 0; b < extra; ++b) reader.Byte();
    controls.push_back(control);
  }
  ASSERT_FALSE(reader.Failed()) << "template cut short";
  ASSERT_EQ(controls.size(), 3u);

  // In tab order: OK first, so it has the focus.
  const ControlTemplate expected[] = {
      {BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE | WS_CHILD, 0, 105, 57, 50, 14, IDOK, L"button",
       L"OK"},
      {SS_ICON | WS_VISIBLE | WS_CHILD, 0, 7, 10, 20, 20, IDC_MESSAGE_ICON, L"static", L""},
      {ES_MULTILINE | ES_READONLY | WS_TABSTOP | WS_VISIBLE | WS_CHILD, 0, 32, 14, 121, 34,
       IDC_MESSAGE_TEXT, L"edit", L""},
  };
  for (size_t i = 0; i < 3; ++i) {
    SCOPED_TRACE("control " + std::to_string(expected[i].id));
    EXPECT_EQ(controls[i].id, expected[i].id);
    EXPECT_EQ(controls[i].className, expected[i].className);
    EXPECT_EQ(controls[i].style, expected[i].style);
    EXPECT_EQ(controls[i].exStyle, expected[i].exStyle);
    EXPECT_EQ(controls[i].x, expected[i].x);
    EXPECT_EQ(controls[i].y, expected[i].y);
    EXPECT_EQ(controls[i].cx, expected[i].cx);
    EXPECT_EQ(controls[i].cy, expected[i].cy);
    if (!expected[i].text.empty()) {
      EXPECT_EQ(controls[i].text, expected[i].text);
    }
  }
}

TEST_F(HoshiroResources, ProgramIconHasSmallMediumAndLargeImages) {
  auto [data, size] = Resource(RT_GROUP_ICON, IDI_HOSHIRO);
  ASSERT_NE(data, nullptr) << "no icon 107";
  ResourceReader reader(data, size);
  reader.Word();
  EXPECT_EQ(reader.Word(), 1) << "icon, not cursor";
  WORD count = reader.Word();
  std::vector<int> sizes;
  for (WORD i = 0; i < count && !reader.Failed(); ++i) {
    BYTE width = reader.Byte();
    reader.Byte();  // height
    reader.Byte();  // colours
    reader.Byte();
    reader.Word();  // planes
    reader.Word();  // bits per pixel
    reader.Dword();
    WORD imageId = reader.Word();
    EXPECT_NE(Resource(RT_ICON, imageId).first, nullptr);
    sizes.push_back(width);
  }
  std::sort(sizes.begin(), sizes.end());
  EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

}  // namespace
