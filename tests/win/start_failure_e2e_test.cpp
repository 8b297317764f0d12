// The calendar's windows cannot all be made (the system out of window handles, a hook that
// refuses them): the start-up stops at the first failure, leaves no window, timer or tray icon
// behind and releases its drawing objects, so nothing is ever drawn over the whole screen.
#include <gtest/gtest.h>

#include <string>

#include "app/calendar_app.h"
#include "docs/data_folder.h"
#include "docs/settings.h"
#include "support/dialog_support.h"
#include "support/driver.h"
#include "support/gdi_objects.h"
#include "tests/common/test_files.h"
// clang-format off
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

namespace {

// Class of the window whose creation the hook refuses.
std::string refusedClass;
int refusals = 0;

LRESULT CALLBACK RefuseOneClass(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTA* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
    const bool named = !IS_INTRESOURCE(create->lpszClass);
    if (named && lstrcmpiA(create->lpszClass, refusedClass.c_str()) == 0) {
      ++refusals;
      return 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool TrayIconPresent(HWND owner) {
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = owner;
  data.uID = 1;
  return owner && Shell_NotifyIconA(NIM_MODIFY, &data);
}

TEST(StartFailure, AWindowThatCannotBeMadeEndsTheStartUpWithNothingLeftBehind) {
  const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
  SHCreateDirectoryExA(nullptr, data.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((driver::ProgramFolder() + L"Settings.xml").c_str(),
                        std::wstring(SettingsPath.begin(), SettingsPath.end()).c_str(), FALSE));
  AppInstance = GetModuleHandleA(nullptr);
  // What a start-up that makes no window leaves of its own, to compare with (the first one
  // also loads what the process keeps for good).
  int startUpRemains = 0;
  for (int round = 0; round < 2; ++round) {
    startUpRemains = driver::LiveGdiObjects();
    ASSERT_EQ(CalendarApp::Instance().Initialize(), 0);
    CalendarApp::Instance().ReleaseGdi();
    CalendarApp::Destroy();
    startUpRemains = driver::LiveGdiObjects() - startUpRemains;
  }

  // The probe window, the calendar window, and the first of its buttons.
  for (const std::string& suffix : {std::string("_BACK"), std::string(), std::string("#BUTTON")}) {
    const int gdiBefore = driver::LiveGdiObjects(), windowsBefore = dialogs::LiveWindows();
    CalendarApp& app = CalendarApp::Instance();
    ASSERT_EQ(app.Initialize(), 0);
    refusedClass = suffix == "#BUTTON" ? "BUTTON" : WindowClassName + suffix;
    SCOPED_TRACE(refusedClass);
    refusals = 0;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseOneClass, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(app.CreateWindows(), nullptr);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(refusals, 1) << "stopped at the first failure";
    EXPECT_EQ(app.mainWindow, nullptr);
    EXPECT_EQ(app.probeWindow, nullptr);
    EXPECT_EQ(dialogs::LiveWindows(), windowsBefore);
    app.ReleaseGdi();
    CalendarApp::Destroy();
    EXPECT_EQ(driver::LiveGdiObjects(), gdiBefore + startUpRemains) << "only what the start-up leaves";
  }

  // The same start-up without the hook makes its windows and, once the first picture is on
  // the screen, its icon and tips: the hook was the cause.
  CalendarApp& app = CalendarApp::Instance();
  ASSERT_EQ(app.Initialize(), 0);
  HWND window = app.CreateWindows();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(driver::WaitUntil([&] {
    driver::PumpMessages();
    return TrayIconPresent(window) && app.tooltip != nullptr;
  }, 5000));
  app.RemoveTrayIcon();
  app.ReleaseWindows();
  app.ReleaseGdi();
  CalendarApp::Destroy();
}

// The real program, refused its window by a hook in every process (as a system out of window
// resources would refuse it): it ends by itself with the exit code 1 instead of running on
// unseen, and leaves the settings as they were. Started again without the hook, it shows.
TEST(StartFailure, TheProgramEndsWithExitCodeOneWhenItsWindowCannotBeMade) {
  const std::string data = DataFolder.substr(0, DataFolder.size() - 1);
  SHCreateDirectoryExA(nullptr, data.c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((driver::ProgramFolder() + L"Settings.xml").c_str(),
                        std::wstring(SettingsPath.begin(), SettingsPath.end()).c_str(), FALSE));
  const std::string settings = ReadFile(SettingsPath);
  HMODULE module = LoadLibraryW((driver::ExecutableFolder() + L"refuse_window_hook.dll").c_str());
  ASSERT_NE(module, nullptr);
  const auto refuse = reinterpret_cast<HOOKPROC>(
      reinterpret_cast<void*>(GetProcAddress(module, "RefuseCalendarWindow")));
  ASSERT_NE(refuse, nullptr);
  HHOOK hook = SetWindowsHookExA(WH_CBT, refuse, module, 0);
  ASSERT_NE(hook, nullptr);
  const std::wstring zanto = driver::Quoted(driver::ProgramPath(L"Zanto.exe"));
  driver::Process refused = driver::Process::Start(zanto);
  ASSERT_TRUE(refused.Started());
  const bool ended = refused.Wait(driver::kStartTimeoutMs);
  UnhookWindowsHookEx(hook);
  FreeLibrary(module);
  if (!ended) refused.Terminate(99);
  ASSERT_TRUE(ended) << "ran on without its window";
  EXPECT_EQ(refused.ExitCode(), 1u);
  EXPECT_EQ(ReadFile(SettingsPath), settings);

  driver::Process started = driver::Process::Start(zanto);
  HWND window = driver::WaitForWindow(started, L"WindowClassZanto");
  EXPECT_NE(window, nullptr);
  if (window) driver::Post(window, WM_CLOSE);
  if (!started.Wait(driver::kStartTimeoutMs)) started.Terminate(99);
  EXPECT_EQ(started.ExitCode(), 0u);
}

}  // namespace
