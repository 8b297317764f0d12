// The calendar's test build (ZantoSteered.exe, whose 2-second tick reads the time from
// "SteeredClock.txt" beside it) run from a program folder of its own in the temp folder, with
// Hoshiro.exe, Settings.xml and Holidays00.xml beside it, on the prefix's one data folder
// emptied first; and a test fixture that runs one such calendar per test.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/driver.h"

namespace steered {

// A folder in the temp folder named name + this process's id, ending with a backslash.
std::string TempFolder(const std::string& name);

// The centre of day's cell, in the calendar window's client coordinates, when it shows
// year/month: worked out with the program's own layout code for the settings in the data
// folder. The six rows of cells end at the bottom of the client area.
POINT DayCellCentre(HWND calendar, int year, int month, int day);

// Lays out folder (emptied first) as a program folder: the test build as "Zanto.exe", with
// Hoshiro.exe, Settings.xml and Holidays00.xml of the real program folder beside it.
bool LayOutProgramFolder(const std::string& folder);

class SteeredCalendar {
 public:
  // What the data folder holds before the first start.
  enum class Data { kNothing, kShippedSettings };

  // folderName: the program folder's name in the temp folder, before the process id.
  SteeredCalendar(const std::string& folderName, Data data);
  SteeredCalendar(const SteeredCalendar&) = delete;
  SteeredCalendar& operator=(const SteeredCalendar&) = delete;

  // Empties the data folder (with its parent) and lays out the program folder; takes today's
  // date for SetClock. False when any step fails.
  bool Prepare();
  // Ends the program if it still runs, closes this folder's Hoshiro messages and removes the
  // program folder.
  void CleanUp();

  // The time the calendar's tick reads from now on: today at hour:minute.
  void SetClock(int hour, int minute) const;
  // Starts the calendar and waits until its window waits for input; false without a window.
  bool Start();
  // Sent to the calendar's window; true when answered (the handler has finished).
  bool Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  bool Command(UINT id) const { return Send(WM_COMMAND, id); }

  // The calendar's shown top-level window of the class other than besides, or null.
  HWND Shown(const wchar_t* className, HWND besides = nullptr) const;
  // The same, waited for, and then until the calendar waits for input; null on timeout.
  HWND WaitFor(const wchar_t* className, DWORD timeoutMs, HWND besides = nullptr) const;
  // Message windows of the Hoshiro.exe in this program folder.
  std::vector<HWND> Hoshiros() const;
  // Day tips that name a holiday or show a memo: -1 before the tooltip control exists. The
  // 暦 line that every day's tip has (a tip of that line alone) is not counted.
  int ToolCount() const;
  // The texts of all day tips, in the control's order, read from the calendar's memory.
  std::vector<std::string> Tips() const;
  // The centre of day's cell while the calendar shows year/month.
  POINT DayCell(int year, int month, int day) const;

  const std::string& ProgramFolder() const { return folder_; }
  // The date Prepare found.
  const SYSTEMTIME& Today() const { return today_; }
  driver::Process& Program() { return zanto_; }
  HWND Window() const { return window_; }

 private:
  const std::string folder_;
  const Data data_;
  SYSTEMTIME today_ = {};
  driver::Process zanto_;
  HWND window_ = nullptr;
};

// One steered calendar per test: prepared before it, cleaned up after it. The test bodies
// reach it through the short names below and the checking helpers.
class SteeredCalendarTest : public testing::Test {
 protected:
  SteeredCalendarTest(const std::string& folderName, SteeredCalendar::Data data)
      : calendar(folderName, data) {}

  void SetUp() override;
  void TearDown() override;

  void SetClock(int hour, int minute) { calendar.SetClock(hour, minute); }
  void Start();
  // Sent, and answered: the calendar has done what the message asks.
  void Send(UINT message, WPARAM wParam, LPARAM lParam = 0);
  // One tick of the calendar's clock.
  void Tick();
  HWND Shown(const wchar_t* className) const { return calendar.Shown(className); }
  HWND WaitFor(const wchar_t* className, DWORD timeoutMs = 5000, HWND besides = nullptr) const {
    return calendar.WaitFor(className, timeoutMs, besides);
  }
  // No shown window of the class is left.
  bool Gone(const wchar_t* className, DWORD timeoutMs = 5000) const;
  // The window is closed or hidden.
  bool Gone(HWND shown, DWORD timeoutMs = 10000) const;
  std::vector<HWND> Hoshiros() const { return calendar.Hoshiros(); }
  int ToolCount() const { return calendar.ToolCount(); }
  std::vector<std::string> Tips() const { return calendar.Tips(); }
  POINT DayCell(int year, int month, int day) const {
    return calendar.DayCell(year, month, day);
  }
  // Exit from the menu: the program ends, with exit code 0.
  void CloseAndExpectExitCodeZero();

  SteeredCalendar calendar;
  const std::string& folder = calendar.ProgramFolder();
  const SYSTEMTIME& today = calendar.Today();
  driver::Process& zanto = calendar.Program();
  // The calendar's window since the last Start.
  HWND window = nullptr;
};

}  // namespace steered
