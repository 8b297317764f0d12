// The one application object: window handles, the settings it works with, the GDI
// resources, the layout, the shown month, the today note and the interaction state.
// Created on first use and deleted when the main window is destroyed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/logic/day_change.h"
#include "app/logic/notifications.h"
#include "app/logic/power_save_stop.h"
#include "app/logic/window_placement.h"
#include "calendar/day_deco.h"
#include "calendar/day_tips.h"
#include "calendar/image_loader.h"
#include "calendar/koyomi_view.h"
#include "calendar/layout.h"
#include "calendar/picture_cache.h"
#include "dialogs/image_btn.h"
#include "docs/memo_store.h"

class AppDlg;
class CMonthModel;
class COptions;
class CSettings;

constexpr UINT IDT_TICK = 0x2000;
constexpr UINT IDT_DRAG = 0x2001;
constexpr UINT kDragPeriodMs = 25;
// Retries adding the tray icon while the shell is not ready (at logon).
constexpr UINT IDT_TRAY_RETRY = 0x2002;
constexpr UINT WM_TRAYICON = 0x1401;
constexpr int kButtonCount = 5;
constexpr int kFirstButtonId = 10001;
constexpr int kFirstToolId = 1000;
// Widest day tip, in 96-DPI pixels: longer lines wrap.
constexpr int kTipWidth = 480;
// Posted by the first paint: the tray icon and the tooltip control are made then.
constexpr UINT WM_FINISHSTART = WM_APP + 1;
// Posted by a second start of the calendar: the running one comes to the front.
constexpr UINT WM_SHOWCALENDAR = WM_APP + 2;

// Process-wide values fixed before the entry point runs.
extern HINSTANCE AppInstance;
extern const char* const WebSiteAddress;
extern const UINT TaskbarCreatedMessage;
// String-table entry 2, the program's name: the caption of the start-up error box.
extern const std::string ProgramName;
// String-table entry 10, the class of the calendar window; the probe window's adds "_BACK".
extern const std::string WindowClassName;

class CalendarApp {
 public:
  static CalendarApp& Instance();
  // Deletes the application object; the next Instance() makes a fresh one.
  static void Destroy();

  // --- start-up (app/calendar_app.cpp) ---
  int Initialize();
  int LoadHolidayTables();

  // --- main window (app/main_window.cpp) ---
  // Null when a window or its drawing surfaces could not be made; nothing is left behind then.
  HWND CreateWindows();
  // 1 when every button and both drawing bitmaps were made, else 0.
  int CreateButtons();
  void ReleaseWindows();
  void ReleaseGdi();
  // WM_FINISHSTART, after the first paint: what the first picture does not need, the tray icon
  // (once) and the tooltip control, so the calendar shows without waiting for them.
  void FinishStart();
  // Sets up the common controls and makes the day tooltip control with the tips of the picture
  // shown.
  void CreateTooltip();
  void RefreshAll();
  // Brings the calendar (or the dialog open over it) to the front, showing it if hidden.
  void ShowInFront();
  void RefreshShownMonth();
  void GoToToday();
  void MoveWindowTo(POINT p);
  void CycleBackMode();
  void OnTick(const SYSTEMTIME& time);
  void OnDragTimer();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // --- placement on the monitors (app/placement.cpp) ---
  // Every monitor with its work area; the primary screen alone when none is reported.
  static std::vector<MonitorArea> Monitors();
  // The work area of the monitor nearest to the window.
  RECT WorkAreaNearWindow() const;
  // "WinPos" with the window's size, moved wholly onto the nearest monitor's work area.
  POINT PlaceOfWinPos() const;
  // Moves the window there (and in the z-order after insertAfter, unless it is null). The
  // setting keeps the user's place: a monitor plugged in again gets the calendar back.
  void PlaceWindow(HWND insertAfter = nullptr);
  // Settings without a position: the top right of the primary work area, recorded.
  void PlaceFirstStart();

  // --- tray icon (app/tray_icon.cpp) ---
  // Adds the icon; when the shell is not ready yet, a window timer tries again.
  int AddTrayIcon();
  // IDT_TRAY_RETRY: one more attempt, until the icon is there or the attempts are used up.
  void RetryTrayIcon();
  // WM_CLOSE: the icon leaves the notification area with the window.
  void RemoveTrayIcon();
  // WM_TRAYICON with the mouse message in lParam.
  void OnTrayIcon(LPARAM mouseMessage);

  // --- menus and commands (app/menus.cpp, app/menu_commands.cpp) ---
  // WM_COMMAND ids other than the navigation buttons.
  void OnMenuCommand(int id);
  // Right-button release on the calendar (client point), unless a gesture swallowed it.
  void ShowContextMenu(POINT client);
  // WM_LBUTTONDBLCLK at a client point; keys as in the message's wParam.
  void OpenMemoEditor(POINT client, WPARAM keys);

  // --- modal windows over the calendar (app/modal_windows.cpp) ---
  // Counts one dialog, message box or popup menu from its start to its end; the end of the
  // last one carries out a close that came meanwhile.
  class ModalScope {
   public:
    explicit ModalScope(CalendarApp& app);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    CalendarApp& app_;
  };
  // MessageBoxA, counted as a modal window.
  int ShowMessage(HWND owner, const std::string& text, const std::string& caption, UINT style);
  // A close while modal windows are open: the menu ends and every dialog and message box is
  // cancelled (a Yes/No question answered No); the close follows when the last has returned.
  void CloseModalWindows();
  // The innermost dialog or message box open, or null.
  HWND TopModalWindow() const;

  // --- dialogs of the menus (app/dialog_commands.cpp) ---
  // Runs a dialog modally over the calendar; 1 when confirmed with OK.
  INT_PTR RunDialog(AppDlg& dialog);
  void ShowVersionDialog();
  // The decoration types; on OK the calendar is drawn with the new list.
  void EditDayTypes();
  // The display settings; on OK they are written and the calendar takes its new size.
  void EditDisplaySettings();
  // Rebuilds the fonts, bitmaps and buttons after the display settings changed.
  void Relayout();

  // --- schedule notifications (app/notifications.cpp) ---
  // The schedules of date and of the next day still to be given out (none shown already).
  void ReloadNotifications(const SYSTEMTIME& date);
  // Gives out what is due at time, without counting it as the tick's check: a day change
  // gives out what was due on the old list before the new day's list replaces it.
  void GiveOutDueNotifications(const SYSTEMTIME& time);
  // The tick's check: gives out what is due and remembers when it ran.
  void CheckNotifications(const SYSTEMTIME& time);
  static long long TickMinute(const SYSTEMTIME& time);

  // --- power (app/power.cpp) ---
  // Menu command "省電力制御の停止": switches the corner check and saves the switch.
  void ToggleStopPowerSave();
  // The power-saving corner check at the end of every tick.
  void CheckPowerSave(const SYSTEMTIME& time);
  void OnPowerBroadcast(WPARAM event);
  // Runs the numbered shortcut files of the program folder named by pattern.
  void RunShortcuts(const char* pattern);

  // --- layout and drawing (calendar/*_win.cpp) ---
  RECT ComputeLayout();
  int Redraw();
  int DrawHeading(int y);
  int DrawWeekRow(int y);
  void DrawDays(int y);
  int DrawDayCell(int day, const RECT& cell, DateNote& note);
  void DrawDayImage(int type, const std::string& path, const RECT& cell);
  // Forgets the decoded decoration pictures. Whatever changes the decoration list or the
  // display settings calls it (ReleaseGdi does), so the next redraw decodes afresh.
  void ReleasePictures();
  // The old calendar (calendar/koyomi_view_win.cpp): the small cell line's size for the
  // layout, its font at the layout's DPI, the line itself and the 暦 line of a day's tip.
  void MeasureKoyomiLine(LayoutInput& in);
  void ScaleKoyomiFont();
  void DrawKoyomiLine(const KoyomiDay& day, const RECT& cell, COLORREF shadowColour);
  void AddKoyomiTip(const KoyomiDay& day, std::string& tip);
  // A length of the settings (96-DPI pixels) at the DPI the calendar is laid out for.
  int Scaled(int pixels) const { return ScaleForDpi(pixels, dpi); }

  // --- per-monitor DPI (app/dpi.cpp) ---
  // Lays the calendar out again when the window was created on a monitor of another scale.
  void FollowWindowDpi();
  // WM_DPICHANGED: new layout for the new DPI, at the place the system suggests.
  void OnDpiChanged(int newDpi, const RECT& suggested);

  // Day number under a client point, or 0 when there is none.
  int DayAtPoint(int x, int y) const;
  std::string FormatHeading(int year, int month) const;
  void PrepareBackground(HDC dc);

  // --- handles and documents ---
  HWND mainWindow = nullptr;
  CSettings* settings = nullptr;
  COptions* options = nullptr;
  AppDlg* currentDialog = nullptr;
  ImageBtn buttons[kButtonCount];
  HWND tooltip = nullptr;
  HWND probeWindow = nullptr;

  // --- GDI resources ---
  HDC composeDC = nullptr;
  HDC backgroundDC = nullptr;
  HDC decoImageDC = nullptr;
  HDC buttonImageDC = nullptr;
  HBITMAP composeBitmap = nullptr;
  HBITMAP backgroundBitmap = nullptr;
  HBITMAP buttonImage = nullptr;
  HGDIOBJ composeDisplaced = nullptr;
  HGDIOBJ backgroundDisplaced = nullptr;
  HGDIOBJ buttonImageDisplaced = nullptr;
  HFONT buttonFont = nullptr;
  bool ownerDrawButtons = false;
  // Decodes the button strip and the decoration images; GDI+ runs from its first use until
  // the application object goes.
  ImageLoader imageLoader;
  // The decoration pictures decoded by earlier redraws, at most 64.
  PictureCache pictureCache;
  // The old calendar of the month shown, its names and the small line's font.
  KoyomiView koyomi;

  // --- layout ---
  // DPI of the monitor the calendar stands on; fonts and lengths are scaled to it.
  int dpi = kBaseDpi;
  CalendarLayout layout;
  int buttonWidth = 0;
  int buttonHeight = 0;
  int toolCount = 0;
  // The texts and rectangles of those tools, so a redraw changes only what differs.
  DayTips dayTips;

  // --- background probe points (screen, window-relative) and the colours seen there ---
  POINT probeScreen[4] = {};
  POINT probeWindowPos[4] = {};
  COLORREF probeColour[4] = {};

  // --- calendar state ---
  CMonthModel* monthModel = nullptr;
  int shownYear = 0;
  int shownMonth = 0;
  int homeYear = 0;
  int homeMonth = 0;
  int homeDay = 0;
  DateNote todayNote;
  DateNoteArray monthMemos;

  // --- interaction state ---
  int dragState = 0;
  POINT grabPoint = {};
  int dragTicks = 0;
  int keepAtBottom = 0;
  int suppressMenu = 0;
  int autoReturnTicks = 0;
  PowerSaveStop powerSaveStop;
  // Screen point of the last MoveWindowTo; the window is moved only when it changes.
  POINT lastMovePoint = {-32768, 0};
  // Date seen by the previous tick; all zero, so the first tick counts as a day change.
  LocalDate lastTickDate;
  // The reminders given out, so that no reload of the list gives one out again.
  ShownReminders shownReminders;
  // Time-line minute of the last tick's check of the notifications; -1 before the first.
  long long lastNotificationCheck = -1;
  // A day change came while a dialog was open: the new day is shown once it has closed.
  bool goToTodayPending = false;
  // Dialogs, message boxes and popup menus open now.
  int modalDepth = 0;
  // A close came while modal windows were open; it is carried out when they have gone.
  bool closePending = false;
  // Attempts made to add the tray icon since the last AddTrayIcon.
  int trayAttempts = 0;
  // Set when the first paint's FinishStart added the tray icon; later paints leave it alone.
  bool trayIconStarted = false;

 private:
  CalendarApp() = default;
  ~CalendarApp();
  CalendarApp(const CalendarApp&) = delete;
  CalendarApp& operator=(const CalendarApp&) = delete;
};
