#include "support/calendar_session.h"

#include <commctrl.h>

#include <vector>

// The project headers before the shell's: they bring a COM XMLDocument of their own.
#include "app/calendar_app.h"
#include "calendar/layout.h"
#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/memo_store.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"
#include "support/desktop.h"
// clang-format off
#include <shlobj.h>
// clang-format on

namespace session {
namespace {

constexpr wchar_t kDialogClass[] = L"#32770";

std::string TempFolder(const std::string& name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  return temp + name + std::to_string(GetCurrentProcessId()) + "\\";
}

SYSTEMTIME Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

}  // namespace

bool CalendarSession::Prepare() {
  folder_ = TempFolder("zanto reliability ");
  const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
  const std::string parent = data.substr(0, data.rfind('\\'));
  if (!desktop::RemoveFolder(parent + "\\") || !desktop::RemoveFolder(folder_)) return false;
  if (!CreateDirectoryA(folder_.c_str(), nullptr)) return false;
  if (SHCreateDirectoryExA(nullptr, data.c_str(), nullptr) != ERROR_SUCCESS) return false;
  const std::wstring program = driver::ProgramFolder();
  if (!CopyFileW((driver::ExecutableFolder() + L"ZantoSteered.exe").c_str(),
                 desktop::Wide(folder_ + "Zanto.exe").c_str(), FALSE)) {
    return false;
  }
  for (const wchar_t* file : {L"Hoshiro.exe", L"Settings.xml", L"Holidays00.xml"}) {
    if (!CopyFileW((program + file).c_str(), (desktop::Wide(folder_) + file).c_str(), FALSE)) return false;
  }
  return CopyFileW((program + L"Settings.xml").c_str(), desktop::Wide(SettingsPath).c_str(), FALSE) != FALSE;
}

void CalendarSession::CleanUp() {
  if (zanto_.Running()) zanto_.Terminate();
  zanto_.Wait(driver::kStartTimeoutMs);
  desktop::RemoveFolder(folder_);
}

bool CalendarSession::Start() {
  zanto_ = driver::Process::StartAnsi("\"" + folder_ + "Zanto.exe\"");
  window_ = driver::WaitForWindow(zanto_, L"WindowClassZanto");
  if (!window_) return false;
  zanto_.WaitForIdle(driver::kStartTimeoutMs);
  return true;
}

bool CalendarSession::Command(UINT id) {
  bool answered = false;
  driver::Send(window_, WM_COMMAND, id, 0, &answered);
  return answered;
}

HWND CalendarSession::WaitForDialog(DWORD timeoutMs) const {
  HWND found = nullptr;
  driver::WaitUntil(
      [&] {
        for (HWND w : desktop::WindowsOfClass(kDialogClass, zanto_.Id())) {
          if (IsWindowVisible(w)) found = w;
        }
        return found != nullptr;
      },
      timeoutMs);
  if (found) zanto_.WaitForIdle(5000);
  return found;
}

// The centre of the day's cell, from the layout the calendar computes for the same settings.
POINT CalendarSession::DayCell(int day) const {
  CalendarApp& app = CalendarApp::Instance();
  app.settings = &CSettings::Instance();
  app.settings->Load();
  app.options = &app.settings->Options;
  const SYSTEMTIME now = Today();
  app.shownYear = now.wYear;
  app.shownMonth = now.wMonth;
  app.composeDC = CreateCompatibleDC(nullptr);
  app.buttonImageDC = CreateCompatibleDC(nullptr);
  app.ComputeLayout();
  CMonthModel model;
  model.Build(now.wYear, now.wMonth);
  const int cell = day - FirstCellDay(model.FirstWeekday(), app.settings->HeaderExpression.StartDayOfWeek);
  const POINT centre = {app.layout.margin + (cell % 7) * app.layout.cellWidth + app.layout.cellWidth / 2,
                        driver::ClientRect(window_).bottom - (6 - cell / 7) * app.layout.cellHeight +
                            app.layout.cellHeight / 2};
  CalendarApp::Destroy();
  return centre;
}

bool CalendarSession::PostMemoEdit(int day, const std::wstring& text) {
  const POINT cell = DayCell(day);
  driver::Post(window_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  HWND editor = WaitForDialog(5000);
  if (!editor) return false;
  bool answered = false;
  driver::Send(GetDlgItem(editor, IDC_MEMO_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
               &answered);
  return answered && driver::Post(editor, WM_COMMAND, IDOK, 0);
}

EditResult CalendarSession::EditMemo(int day, const std::wstring& text, bool expectMessage,
                                     std::wstring* readFirst) {
  EditResult result;
  const POINT cell = DayCell(day);
  driver::Post(window_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(cell.x, cell.y));
  HWND editor = WaitForDialog(5000);
  if (!editor) return result;
  result.editorShown = true;
  if (readFirst) *readFirst = driver::Text(GetDlgItem(editor, IDC_MEMO_TEXT));
  driver::Send(GetDlgItem(editor, IDC_MEMO_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  driver::Post(editor, WM_COMMAND, IDOK, 0);
  driver::WaitUntil([&] { return !IsWindow(editor) || !IsWindowVisible(editor); }, 5000);
  // A message box, when the save has one to tell, follows the editor; the first one a process
  // shows may take seconds under Wine. Without one, the handler has ended when WM_NULL is answered.
  driver::Send(window_, WM_NULL);
  if (HWND box = WaitForDialog(expectMessage ? 15000 : 300)) {
    result.message = driver::TextAnsi(GetDlgItem(box, 0xFFFF));
    // Wine shows the box before its text reaches the screen: the picture waits a moment.
    Sleep(300);
    driver::SaveScreenshot(box, L"zanto_memo_save_message");
    driver::Post(box, WM_COMMAND, IDOK, 0);
    driver::WaitUntil([&] { return !IsWindow(box); }, 5000);
  }
  driver::Send(window_, WM_NULL);
  return result;
}

int CalendarSession::ToolCount() const {
  const std::vector<HWND> tips = desktop::WindowsOfClass(L"tooltips_class32", zanto_.Id());
  return tips.empty() ? -1 : static_cast<int>(driver::Send(tips.front(), TTM_GETTOOLCOUNT));
}

bool RunLinux(std::vector<std::string> args) {
  using UnixSpawn = LONG(__cdecl*)(char* const argv[], int wait);
  auto spawn = reinterpret_cast<UnixSpawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
  if (!spawn) return false;
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  return spawn(argv.data(), 1) == 0;
}

std::string UnixPath(const std::string& windowsPath) {
  using UnixFileName = char*(__cdecl*)(const wchar_t*);
  auto convert = reinterpret_cast<UnixFileName>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert) return std::string();
  char* unix = convert(desktop::Wide(windowsPath).c_str());
  if (!unix) return std::string();
  std::string result = unix;
  HeapFree(GetProcessHeap(), 0, unix);
  return result;
}

std::string ThisYearsMemoFile() { return MemoFilePath("ZantoMemo", Today().wYear); }

std::string StoredTitle(int day) {
  const SYSTEMTIME now = Today();
  DateNote note(now.wYear, now.wMonth, day);
  DateNoteArray::LoadNote("ZantoMemo", note);
  return note.Title;
}

bool AllLinesEndInCrLf(const std::string& bytes) {
  for (size_t i = bytes.find('\n'); i != std::string::npos; i = bytes.find('\n', i + 1)) {
    if (i == 0 || bytes[i - 1] != '\r') return false;
  }
  return bytes.find("\r\r") == std::string::npos;
}

}  // namespace session
