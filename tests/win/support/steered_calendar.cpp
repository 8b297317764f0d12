#include "support/steered_calendar.h"

#include <commctrl.h>

// The project headers before the shell's: they bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "calendar/layout.h"
#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/desktop.h"
#include "tests/common/test_files.h"
// clang-format off
#include <shlobj.h>
#include <shlwapi.h>
// clang-format on

namespace steered {

std::string TempFolder(const std::string& name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp + name + std::to_string(GetCurrentProcessId()) + "\\";
}

POINT DayCellCentre(HWND calendar, int year, int month, int day) {
  CalendarApp& app = CalendarApp::Instance();
  app.settings = &CSettings::Instance();
  app.settings->Load();
  app.options = &app.settings->Options;
  app.shownYear = year;
  app.shownMonth = month;
  app.composeDC = CreateCompatibleDC(nullptr);
  app.buttonImageDC = CreateCompatibleDC(nullptr);
  app.ComputeLayout();
  CMonthModel model;
  model.Build(year, month);
  const int cell =
      day - FirstCellDay(model.FirstWeekday(), app.settings->HeaderExpression.StartDayOfWeek);
  const POINT centre = {
      app.layout.margin + (cell % 7) * app.layout.cellWidth + app.layout.cellWidth / 2,
      driver::ClientRect(calendar).bottom - (6 - cell / 7) * app.layout.cellHeight +
          app.layout.cellHeight / 2};
  CalendarApp::Destroy();
  return centre;
}

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

// The folder that holds the data folder, ending with a backslash.
std::string DataFolderParent() {
  const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
  return data.substr(0, data.rfind('\\') + 1);
}

bool CopyInto(const std::wstring& from, const std::string& to) {
  return CopyFileW(from.c_str(), desktop::Wide(to).c_str(), FALSE) != FALSE;
}

}  // namespace

SteeredCalendar::SteeredCalendar(const std::string& folderName, Data data)
    : folder_(TempFolder(folderName)), data_(data) {}

bool LayOutProgramFolder(const std::string& folder) {
  if (!desktop::RemoveFolder(folder) || !CreateDirectoryA(folder.c_str(), nullptr)) return false;
  if (!CopyInto(driver::ExecutableFolder() + L"ZantoSteered.exe", folder + "Zanto.exe")) return false;
  for (const char* file : {"Hoshiro.exe", "Settings.xml", "Holidays00.xml"}) {
    if (!CopyInto(driver::ProgramFolder() + desktop::Wide(file), folder + file)) return false;
  }
  return true;
}

bool SteeredCalendar::Prepare() {
  GetLocalTime(&today_);
  if (!desktop::RemoveFolder(DataFolderParent()) || !LayOutProgramFolder(folder_)) return false;
  if (data_ == Data::kNothing) return true;
  const std::wstring program = driver::ProgramFolder();
  const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
  if (SHCreateDirectoryExA(nullptr, data.c_str(), nullptr) != ERROR_SUCCESS) return false;
  return CopyInto(program + L"Settings.xml", SettingsPath);
}

void SteeredCalendar::CleanUp() {
  if (zanto_.Running()) zanto_.Terminate();
  zanto_.Wait(driver::kStartTimeoutMs);
  for (HWND dialog : Hoshiros()) driver::Post(dialog, WM_COMMAND, IDOK, 0);
  // A reminder given out at the last tick may still be starting, its window not yet shown.
  desktop::EndProgramsIn(folder_);
  desktop::RemoveFolder(folder_);
}

void SteeredCalendar::SetClock(int hour, int minute) const {
  WriteFile(folder_ + "SteeredClock.txt",
            std::to_string(today_.wYear) + " " + std::to_string(today_.wMonth) + " " +
                std::to_string(today_.wDay) + " " + std::to_string(hour) + " " +
                std::to_string(minute) + " 0");
}

bool SteeredCalendar::Start() {
  zanto_ = driver::Process::StartAnsi("\"" + folder_ + "Zanto.exe\"");
  window_ = driver::WaitForWindow(zanto_, L"WindowClassZanto");
  if (!window_) return false;
  zanto_.WaitForIdle(driver::kStartTimeoutMs);
  return true;
}

bool SteeredCalendar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  bool answered = false;
  driver::Send(window_, message, wParam, lParam, &answered);
  return answered;
}

HWND SteeredCalendar::Shown(const wchar_t* className, HWND besides) const {
  for (HWND w : desktop::WindowsOfClass(className, zanto_.Id())) {
    if (w != besides && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

HWND SteeredCalendar::WaitFor(const wchar_t* className, DWORD timeoutMs, HWND besides) const {
  HWND found = nullptr;
  driver::WaitUntil([&] { return (found = Shown(className, besides)) != nullptr; }, timeoutMs);
  if (found) zanto_.WaitForIdle(5000);
  return found;
}

std::vector<HWND> SteeredCalendar::Hoshiros() const {
  const std::wstring hoshiro = desktop::Wide(folder_ + "Hoshiro.exe");
  std::vector<HWND> found;
  for (HWND dialog : desktop::WindowsOfClass(kDialogClass)) {
    if (lstrcmpiW(desktop::ProgramOf(dialog).c_str(), hoshiro.c_str()) == 0) {
      found.push_back(dialog);
    }
  }
  return found;
}

int SteeredCalendar::ToolCount() const {
  const std::vector<HWND> tooltips = desktop::WindowsOfClass(L"tooltips_class32", zanto_.Id());
  if (tooltips.empty()) return -1;
  // 旧暦 in Shift_JIS: how the 暦 line begins.
  const std::string koyomiLine = "\x8b\x8c\x97\xef";
  int count = 0;
  for (const std::string& tip : Tips()) {
    count += tip.compare(0, koyomiLine.size(), koyomiLine) != 0 || tip.find('\n') != std::string::npos;
  }
  return count;
}

std::vector<std::string> SteeredCalendar::Tips() const {
  std::vector<std::string> texts;
  const std::vector<HWND> tooltips = desktop::WindowsOfClass(L"tooltips_class32", zanto_.Id());
  if (tooltips.empty()) return texts;
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                               zanto_.Id());
  if (!process) return texts;
  // The control writes the tool and its text into the calendar's own memory: a tool record
  // followed by room for the text.
  constexpr SIZE_T kTextSize = 1024;
  char* remote = static_cast<char*>(VirtualAllocEx(process, nullptr, sizeof(TOOLINFOA) + kTextSize,
                                                   MEM_COMMIT, PAGE_READWRITE));
  if (remote) {
    const int count = static_cast<int>(driver::Send(tooltips.front(), TTM_GETTOOLCOUNT));
    for (int i = 0; i < count; ++i) {
      TOOLINFOA tool = {};
      tool.cbSize = TTTOOLINFOA_V2_SIZE;
      tool.lpszText = remote + sizeof tool;
      char text[kTextSize] = {};
      if (!WriteProcessMemory(process, remote, &tool, sizeof tool, nullptr) ||
          !WriteProcessMemory(process, remote + sizeof tool, text, sizeof text, nullptr)) {
        break;
      }
      driver::Send(tooltips.front(), TTM_ENUMTOOLSA, static_cast<WPARAM>(i),
                   reinterpret_cast<LPARAM>(remote));
      if (!ReadProcessMemory(process, remote + sizeof tool, text, sizeof text - 1, nullptr)) break;
      texts.push_back(text);
    }
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  }
  CloseHandle(process);
  return texts;
}

POINT SteeredCalendar::DayCell(int year, int month, int day) const {
  return DayCellCentre(window_, year, month, day);
}

void SteeredCalendarTest::SetUp() {
  ASSERT_TRUE(calendar.Prepare()) << "program folder " << folder << " or data folder not laid out";
}

void SteeredCalendarTest::TearDown() {
  calendar.CleanUp();
  EXPECT_FALSE(PathFileExistsA(folder.c_str())) << "the program folder is left behind";
}

void SteeredCalendarTest::Start() {
  window = nullptr;
  const bool started = calendar.Start();
  window = calendar.Window();
  ASSERT_TRUE(started) << "no calendar window";
}

void SteeredCalendarTest::Send(UINT message, WPARAM wParam, LPARAM lParam) {
  ASSERT_TRUE(calendar.Send(message, wParam, lParam));
}

void SteeredCalendarTest::Tick() { Send(WM_TIMER, IDT_TICK); }

bool SteeredCalendarTest::Gone(const wchar_t* className, DWORD timeoutMs) const {
  return driver::WaitUntil([&] { return Shown(className) == nullptr; }, timeoutMs);
}

bool SteeredCalendarTest::Gone(HWND shown, DWORD timeoutMs) const {
  return driver::WaitUntil([&] { return !IsWindow(shown) || !IsWindowVisible(shown); },
                           timeoutMs);
}

void SteeredCalendarTest::CloseAndExpectExitCodeZero() {
  driver::Post(window, WM_COMMAND, IDM_EXIT, 0);
  ASSERT_TRUE(zanto.Wait(driver::kStartTimeoutMs));
  EXPECT_EQ(zanto.ExitCode(), 0u);
}

}  // namespace steered
