// The application object: its creation and release, and the start-up sequence up to the
// creation of the windows.
#include "app/calendar_app.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "app/resource_string.h"
#include "calendar/month_model.h"
#include "docs/data_folder.h"
#include "docs/file_save.h"
#include "docs/holiday.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr char kSettingsFileName[] = "Settings.xml";

CalendarApp*& InstanceHolder() {
  static CalendarApp* instance = nullptr;
  return instance;
}

// The default settings file that lies beside the running program.
std::string DefaultSettingsPath() {
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  PathRemoveFileSpecA(path);
  if (!PathAppendA(path, kSettingsFileName)) return std::string();
  return path;
}

// First start: the data folder chain is created and the default settings copied into it. An
// existing file is never overwritten; a failed copy shows up as the load error that follows.
void CopyDefaultSettings() {
  if (PathFileExistsA(SettingsPath.c_str())) return;
  if (!PathFileExistsA(DataFolder.c_str())) {
    std::string folder = DataFolder;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  }
  const std::string source = DefaultSettingsPath();
  if (!source.empty()) CopyFileA(source.c_str(), SettingsPath.c_str(), TRUE);
}

void ShowSettingsError(int error) {
  const std::string format = LoadResourceString(IDS_SETTINGS_ERROR);
  const int length = std::snprintf(nullptr, 0, format.c_str(), error, SettingsPath.c_str());
  std::string text(length > 0 ? length : 0, '\0');
  if (length > 0) std::snprintf(&text[0], text.size() + 1, format.c_str(), error, SettingsPath.c_str());
  MessageBoxA(nullptr, text.c_str(), ProgramName.c_str(), MB_ICONERROR);
}

void PutBackAndDelete(HDC dc, HGDIOBJ displaced, HGDIOBJ object) {
  if (!object) return;
  if (dc && displaced) SelectObject(dc, displaced);
  DeleteObject(object);
}

}  // namespace

CalendarApp& CalendarApp::Instance() {
  CalendarApp*& instance = InstanceHolder();
  if (!instance) instance = new CalendarApp();
  return *instance;
}

void CalendarApp::Destroy() {
  CalendarApp*& instance = InstanceHolder();
  delete instance;
  instance = nullptr;
}

// Runs when the main window is gone: the rule list first (the month model points at the
// rules' names), then the month data, the notification list, and the drawing objects.
CalendarApp::~CalendarApp() {
  HolidayArray::DeleteInstance();
  delete monthModel;
  monthModel = nullptr;
  monthMemos.Clear();
  todayNote.schedules.Clear();
  todayNote.Title.clear();

  PutBackAndDelete(composeDC, composeDisplaced, composeBitmap);
  PutBackAndDelete(backgroundDC, backgroundDisplaced, backgroundBitmap);
  PutBackAndDelete(buttonImageDC, buttonImageDisplaced, buttonImage);
  if (buttonFont) DeleteObject(buttonFont);
  for (HDC dc : {composeDC, backgroundDC, decoImageDC, buttonImageDC}) {
    if (dc) DeleteDC(dc);
  }
}

int CalendarApp::Initialize() {
  // Without the per-user folder there is nowhere to keep the settings: nothing is written
  // anywhere else.
  if (DataFolder.empty()) {
    ShowSettingsError(tinyxml2::XML_ERROR_FILE_NOT_FOUND);
    return 1;
  }
  CopyDefaultSettings();
  // A save cut short (the program killed, the power gone) leaves its temporary file behind.
  RemoveLeftoverTempFiles(DataFolder);

  settings = &CSettings::Instance();
  const int error = settings->Load();
  if (error != 0) {
    ShowSettingsError(error);
    return 1;
  }
  options = &settings->Options;

  LoadHolidayTables();

  SYSTEMTIME now;
  GetLocalTime(&now);
  todayNote.year = shownYear = homeYear = now.wYear;
  todayNote.month = shownMonth = homeMonth = now.wMonth;
  todayNote.date = homeDay = now.wDay;

  monthModel = new CMonthModel();
  monthModel->Build(shownYear, shownMonth);

  // Compatible with the screen; a context that cannot be made stays null, and so do the later.
  HWND desktop = GetDesktopWindow();
  HDC screen = GetDC(desktop);
  for (HDC* dc : {&composeDC, &backgroundDC, &decoImageDC, &buttonImageDC}) {
    *dc = CreateCompatibleDC(screen);
    if (!*dc) break;
  }
  if (composeDC) SetBkMode(composeDC, TRANSPARENT);
  ReleaseDC(desktop, screen);

  // The primary monitor's scale; the window checks its own monitor once it exists.
  dpi = static_cast<int>(GetDpiForSystem());
  ComputeLayout();
  return 0;
}
