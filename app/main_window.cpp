// The calendar window: creation of the windows and buttons, the refresh operations, the
// window procedure with its gestures and keys, the stacking rules and the two timers.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <vector>

#include "app/calendar_app.h"
#include "app/logic/day_change.h"
#include "app/logic/drag_gesture.h"
#include "app/logic/stacking.h"
#include "app/tick_clock.h"
#include "calendar/month_model.h"
#include "docs/settings.h"
#include "resources/zanto_resource.h"

namespace {

constexpr UINT kTickPeriodMs = 2000;
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
// The owner-drawn buttons stand 4 pixels apart and 2 pixels in from the centred row.
constexpr int kOwnerDrawGap = 4;
constexpr int kButtonFontHeight = 11;
constexpr int kButtonFontWeight = 900;

// "≪", "<", "◇", ">", "≫" in the ANSI code page (Shift_JIS).
const char* const kButtonTexts[kButtonCount] = {"\x81\xe1", "<", "\x81\x9e", ">", "\x81\xe2"};

enum ButtonId {
  ID_PREVIOUS_YEAR = kFirstButtonId,
  ID_PREVIOUS_MONTH,
  ID_TODAY,
  ID_NEXT_MONTH,
  ID_NEXT_YEAR,
};

const char* const kProbeClassSuffix = "_BACK";

void HideProbe(const CalendarApp& app) { ShowWindow(app.probeWindow, SW_HIDE); }

void StackWindow(HWND window, HWND insertAfter, UINT flags) {
  SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | flags);
}

// Registering twice fails harmlessly (the class stays as first registered).
void RegisterWindowClass(const std::string& name, WNDPROC procedure, HICON large, HICON small) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = kClassStyle;
  wc.lpfnWndProc = procedure;
  wc.hInstance = AppInstance;
  wc.hIcon = large;
  wc.hIconSm = small;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = name.c_str();
  RegisterClassExA(&wc);
}

HICON LoadAppIcon(int sizeMetricX, int sizeMetricY) {
  return static_cast<HICON>(LoadImageA(AppInstance, MAKEINTRESOURCEA(IDI_ZANTO), IMAGE_ICON,
                                       GetSystemMetrics(sizeMetricX),
                                       GetSystemMetrics(sizeMetricY), LR_DEFAULTCOLOR));
}

void Navigate(CalendarApp& app, int years, int months) {
  // The model refuses a month outside its range and keeps the one it has.
  app.monthModel->Move(years, months);
  app.RefreshShownMonth();
}

void OnNavigationButton(CalendarApp& app, int id) {
  switch (id) {
    case ID_PREVIOUS_YEAR: Navigate(app, -1, 0); break;
    case ID_PREVIOUS_MONTH: Navigate(app, 0, -1); break;
    case ID_TODAY: app.GoToToday(); break;
    case ID_NEXT_MONTH: Navigate(app, 0, 1); break;
    case ID_NEXT_YEAR: Navigate(app, 1, 0); break;
  }
}

// Holding a key down repeats by the count in the message, so one message may skip months.
void OnKeyDown(CalendarApp& app, WPARAM key, LPARAM lParam) {
  const int count = LOWORD(lParam);
  switch (key) {
    case VK_LEFT: Navigate(app, 0, -count); break;
    case VK_RIGHT: Navigate(app, 0, count); break;
    case VK_UP: Navigate(app, -count, 0); break;
    case VK_DOWN: Navigate(app, count, 0); break;
    case VK_SPACE: app.GoToToday(); break;
  }
}

void OnActivateApp(CalendarApp& app, bool active) {
  ActivationInput input;
  input.active = active;
  input.alwaysBottom = app.options->AlwaysBottom;
  input.autoDisplayNow = app.options->AutoDisplayNow;
  input.showsHomeMonth = app.shownYear == app.homeYear && app.shownMonth == app.homeMonth;
  input.windowEnabled = IsWindowEnabled(app.mainWindow) != FALSE;
  const ActivationStep step = OnAppActivation(input, app.keepAtBottom, app.autoReturnTicks);
  if (step.sendToBottom) StackWindow(app.mainWindow, HWND_BOTTOM, active ? 0 : SWP_NOACTIVATE);
  if (step.hideProbe) HideProbe(app);
}

DragFields DragFieldsOf(CalendarApp& app) {
  return DragFields{app.dragState, app.dragTicks, app.grabPoint};
}

void EndHold(CalendarApp& app) {
  ReleaseCapture();
  KillTimer(app.mainWindow, IDT_DRAG);
}

void OnLeftButtonDown(CalendarApp& app, LPARAM lParam) {
  const POINT press = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (OnLeftPress(DragFieldsOf(app), press) != PressAction::StartHold) return;
  SetTimer(app.mainWindow, IDT_DRAG, kDragPeriodMs, nullptr);
  SetCapture(app.mainWindow);
}

// The end of a drag: the window stays where the cursor let go of it, and that is saved.
void DropWindow(CalendarApp& app, LPARAM lParam) {
  // Signed: the cursor may have outrun the window to its left or top.
  POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  ClientToScreen(app.mainWindow, &p);
  app.options->WinPos.Left = p.x - app.grabPoint.x;
  app.options->WinPos.Top = p.y - app.grabPoint.y;
  app.MoveWindowTo(p);
  StackWindow(app.mainWindow, HWND_NOTOPMOST, SWP_NOACTIVATE);
  HideProbe(app);
  app.RefreshAll();
  app.settings->SaveOption("WinPos");
}

void OnLeftButtonUp(CalendarApp& app, WPARAM keys, LPARAM lParam) {
  // The keys travel with the message: the state at the moment of the release.
  const bool modifier = (keys & (MK_CONTROL | MK_SHIFT | MK_RBUTTON)) != 0;
  switch (OnLeftRelease(app.dragState, modifier)) {
    case ReleaseAction::None:
      return;
    case ReleaseAction::Click:
      // The drag timer has nothing more to watch after a click.
      EndHold(app);
      return;
    case ReleaseAction::ClickCycleBackMode:
      EndHold(app);
      app.CycleBackMode();
      app.suppressMenu = 1;
      return;
    case ReleaseAction::Drop:
      EndHold(app);
      DropWindow(app, lParam);
      return;
  }
}

// Held still long enough: the user wants to see the whole calendar.
void RaiseWindow(CalendarApp& app) {
  SetForegroundWindow(app.mainWindow);
  if (!app.options->AlwaysBottom) return;
  app.keepAtBottom = 0;
  StackWindow(app.mainWindow, HWND_TOP, SWP_NOACTIVATE);
  HideProbe(app);
}

// Held still longer: the window is picked up and floats above everything while it moves.
void PickUpWindow(CalendarApp& app) {
  SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
  app.keepAtBottom = 0;
  StackWindow(app.mainWindow, HWND_TOPMOST, SWP_NOACTIVATE);
  HideProbe(app);
}

// Shows the probe window under the calendar with the desktop painted into it, and redraws
// when the wallpaper at one of the probe points changed since the last background capture.
void ProbeDesktop(CalendarApp& app) {
  RECT rect;
  GetWindowRect(app.mainWindow, &rect);
  SetWindowPos(app.probeWindow, HWND_BOTTOM, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  HDC dc = GetDC(app.probeWindow);
  if (!dc) return;
  PaintDesktop(dc);
  for (int i = 0; i < 4; ++i) {
    const POINT at = app.probeWindowPos[i];
    if (GetPixel(dc, at.x, at.y) == app.probeColour[i]) continue;
    app.RefreshAll();
    break;
  }
  ReleaseDC(app.probeWindow, dc);
}

LRESULT OnPaint(CalendarApp& app, HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  if (dc) {
    BitBlt(dc, 0, 0, app.layout.clientWidth, app.layout.clientHeight, app.composeDC, 0, 0,
           SRCCOPY);
  }
  EndPaint(hwnd, &paint);
  if (!app.tooltip) PostMessageA(hwnd, WM_FINISHSTART, 0, 0);
  return 0;
}

void OnTimer(CalendarApp& app, WPARAM id) {
  // A failure inside the timer work (out of memory, a bad argument) must not end the
  // program: the work is skipped and the next tick runs normally.
  if (id == IDT_TICK) {
    // A window covered from the start may not have been painted yet: its tray icon and tips
    // come with the first tick then.
    if (!app.trayIconStarted || !app.tooltip) app.FinishStart();
    const SYSTEMTIME now = ReadTickTime();
    try {
      app.OnTick(now);
    } catch (...) {
    }
    try {
      app.CheckNotifications(now);
    } catch (...) {
    }
  } else if (id == IDT_DRAG) {
    try {
      app.OnDragTimer();
    } catch (...) {
    }
  } else if (id == IDT_TRAY_RETRY) {
    app.RetryTrayIcon();
  }
}

}  // namespace

HWND CalendarApp::CreateWindows() {
  const std::string probeClass = WindowClassName + kProbeClassSuffix;
  RegisterWindowClass(probeClass, DefWindowProcA, nullptr, nullptr);
  probeWindow = CreateWindowExA(WS_EX_TOOLWINDOW, probeClass.c_str(), "", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, AppInstance, nullptr);
  if (!probeWindow) return nullptr;
  ShowWindow(probeWindow, SW_HIDE);
  StackWindow(probeWindow, HWND_BOTTOM, SWP_NOACTIVATE);

  RegisterWindowClass(WindowClassName, WindowProc, LoadAppIcon(SM_CXICON, SM_CYICON),
                      LoadAppIcon(SM_CXSMICON, SM_CYSMICON));
  mainWindow = CreateWindowExA(WS_EX_LAYERED | WS_EX_TOOLWINDOW, WindowClassName.c_str(), "",
                               WS_POPUP, options->WinPos.Left, options->WinPos.Top,
                               layout.clientWidth, layout.clientHeight, probeWindow, nullptr,
                               AppInstance, nullptr);
  // Without the window (or its buttons and drawing surfaces) nothing could be shown: what was
  // made is released and the start-up ends, rather than drawing on the whole screen.
  if (!mainWindow) {
    ReleaseWindows();
    return nullptr;
  }
  // The size is final once the window knows its monitor's scale; then it is moved wholly onto
  // a screen.
  FollowWindowDpi();
  PlaceFirstStart();
  PlaceWindow();
  if (!CreateButtons()) {
    ReleaseWindows();
    return nullptr;
  }

  SetTimer(mainWindow, IDT_TICK, kTickPeriodMs, nullptr);

  powerSaveStop.enabled = options->EnableStopPWM ? 1 : 0;
  if (powerSaveStop.enabled) powerSaveStop.stamp = SecondOfDay(ReadTickTime());

  // A failure here is mended by the background preparation, which sets the key again.
  SetLayeredWindowAttributes(mainWindow, static_cast<COLORREF>(options->ColorTrans), 255,
                             LWA_COLORKEY | LWA_ALPHA);
  ShowWindow(mainWindow, SW_SHOW);
  RefreshAll();
  return mainWindow;
}

void CalendarApp::FinishStart() {
  // The tips first: adding the icon waits for the shell, and messages sent meanwhile (a tick)
  // find the calendar whole.
  CreateTooltip();
  if (!trayIconStarted) {
    trayIconStarted = true;
    AddTrayIcon();
  }
}

void CalendarApp::CreateTooltip() {
  if (tooltip) return;
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  toolCount = 0;
  tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            mainWindow, nullptr, AppInstance, nullptr);
  // A width limit makes the control break tips at their line ends (a memo of several lines,
  // the 暦 line under a holiday); without one a tip is a single line.
  if (tooltip) SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, Scaled(kTipWidth));
  // The picture stays the same; the redraw adds its tips to the new control.
  Redraw();
}

int CalendarApp::CreateButtons() {
  const int pitch = buttonWidth + (ownerDrawButtons ? kOwnerDrawGap : 0);
  int x = (layout.clientWidth - kButtonCount * pitch) / 2 + (ownerDrawButtons ? kOwnerDrawGap / 2 : 0);
  const DWORD style = WS_CHILD | WS_VISIBLE | BS_CENTER | BS_VCENTER |
                      (ownerDrawButtons ? BS_OWNERDRAW : 0);
  for (int i = 0; i < kButtonCount; ++i) {
    ImageBtn& button = buttons[i];
    button.backgroundDC = composeDC;
    button.imageDC = buttonImageDC;
    button.rect = RECT{x, layout.margin, x + buttonWidth, layout.margin + buttonHeight};
    button.imageX = i * buttonWidth;
    button.imageY = 0;
    button.window = CreateWindowExA(0, "BUTTON", kButtonTexts[i], style, x, layout.margin,
                                    buttonWidth, buttonHeight, mainWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstButtonId + i)),
                                    AppInstance, nullptr);
    if (!button.window) return 0;
    x += pitch;
  }

  if (!ownerDrawButtons) {
    LOGFONTA font = {};
    GetObjectA(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfHeight = Scaled(kButtonFontHeight);
    font.lfWeight = kButtonFontWeight;
    buttonFont = CreateFontIndirectA(&font);
    for (const ImageBtn& button : buttons) {
      SendMessageA(button.window, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont), FALSE);
    }
  }

  HDC dc = GetDC(mainWindow);
  if (!dc) return 0;
  RECT client = {};
  GetClientRect(mainWindow, &client);
  composeBitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  backgroundBitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
  composeDisplaced = SelectObject(composeDC, composeBitmap);
  backgroundDisplaced = SelectObject(backgroundDC, backgroundBitmap);
  SetBkColor(composeDC, GetSysColor(COLOR_WINDOW));
  ReleaseDC(mainWindow, dc);
  return composeDC && backgroundDC && composeBitmap && backgroundBitmap ? 1 : 0;
}

void CalendarApp::ReleaseWindows() {
  // Forgotten before it is destroyed, so its procedure does no more than the default.
  HWND window = mainWindow;
  mainWindow = nullptr;
  if (window) DestroyWindow(window);
  for (ImageBtn& button : buttons) button.window = nullptr;
  if (probeWindow) DestroyWindow(probeWindow);
  probeWindow = nullptr;
  // The classes go too, and the icons loaded for the calendar's class with them.
  for (const std::string& name : {WindowClassName, WindowClassName + kProbeClassSuffix}) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExA(AppInstance, name.c_str(), &wc) || !UnregisterClassA(name.c_str(), AppInstance)) continue;
    if (wc.hIcon) DestroyIcon(wc.hIcon);
    if (wc.hIconSm) DestroyIcon(wc.hIconSm);
  }
}

void CalendarApp::ReleaseGdi() {
  for (CFontData* font : {&settings->MonthExpression.Font, &settings->HeaderExpression.Font,
                          &settings->DateExpression.Font}) {
    if (font->Handle) DeleteObject(font->Handle);
    font->Handle = nullptr;
  }
  SelectObject(composeDC, composeDisplaced);
  DeleteObject(composeBitmap);
  composeBitmap = nullptr;
  SelectObject(backgroundDC, backgroundDisplaced);
  DeleteObject(backgroundBitmap);
  backgroundBitmap = nullptr;
  if (ownerDrawButtons && buttonImage) {
    SelectObject(buttonImageDC, buttonImageDisplaced);
    DeleteObject(buttonImage);
    buttonImage = nullptr;
  }
  for (ImageBtn& button : buttons) {
    DestroyWindow(button.window);
    button.window = nullptr;
  }
  // The next CreateButtons makes a new one; keeping the old would leak one font per re-layout.
  if (buttonFont) DeleteObject(buttonFont);
  buttonFont = nullptr;
  ReleasePictures();
}

void CalendarApp::RefreshAll() {
  HDC dc = GetDC(mainWindow);
  PrepareBackground(dc);
  ReleaseDC(mainWindow, dc);
  Redraw();
  InvalidateRect(mainWindow, nullptr, TRUE);
}

void CalendarApp::ShowInFront() {
  // A dialog or message box open over the calendar is what the user was in the middle of.
  if (HWND modal = TopModalWindow()) {
    SetForegroundWindow(modal);
    return;
  }
  // Activation sends a calendar kept at the bottom down; it is raised after it.
  SetForegroundWindow(mainWindow);
  keepAtBottom = 0;
  SetWindowPos(mainWindow, HWND_TOP, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  HideProbe(*this);
}

void CalendarApp::RefreshShownMonth() {
  const bool valid = monthModel->IsValid() != 0;
  shownYear = valid ? monthModel->Year() : 0;
  shownMonth = valid ? monthModel->Month() : 0;
  Redraw();
  InvalidateRect(mainWindow, nullptr, TRUE);
  SetFocus(mainWindow);
}

void CalendarApp::GoToToday() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  homeYear = shownYear = now.wYear;
  homeMonth = shownMonth = now.wMonth;
  homeDay = now.wDay;
  monthModel->Build(shownYear, shownMonth);
  SetFocus(mainWindow);
  RefreshShownMonth();
}

void CalendarApp::MoveWindowTo(POINT p) {
  if (p.x == lastMovePoint.x && p.y == lastMovePoint.y) return;
  lastMovePoint = p;
  MoveWindow(mainWindow, p.x - grabPoint.x, p.y - grabPoint.y, layout.clientWidth,
             layout.clientHeight, TRUE);
}

void CalendarApp::CycleBackMode() {
  options->BackMode = ((options->BackMode + 1) % 3 + 3) % 3;
  RefreshAll();
  settings->SaveOption("BackMode");
}

void CalendarApp::OnTick(const SYSTEMTIME& time) {
  if (AutoReturnDue(autoReturnTicks)) GoToToday();

  // The notifications follow the day whatever is open. What was due on the old list (the
  // computer slept over midnight) is given out before the new day's list replaces it.
  // A modal dialog disables the window: the move to the new day waits until it is closed, as
  // the dialog may be editing a day of the month shown.
  const bool enabled = IsWindowEnabled(mainWindow) != FALSE;
  const LocalDate today = {time.wYear, time.wMonth, time.wDay};
  const DayChangeStep step =
      TickDayChange(lastTickDate, goToTodayPending, today, shownYear, shownMonth, enabled);
  if (step.reloadNotifications) {
    GiveOutDueNotifications(time);
    ReloadNotifications(time);
  }
  if (step.goToToday) GoToToday();
  if (enabled && dragState == DRAG_IDLE && options->BackMode != 2) ProbeDesktop(*this);

  CheckPowerSave(time);
}

void CalendarApp::OnDragTimer() {
  POINT screen;
  GetCursorPos(&screen);
  POINT client = screen;
  ScreenToClient(mainWindow, &client);
  const bool buttonDown = GetKeyState(VK_LBUTTON) < 0;
  switch (OnHoldTick(DragFieldsOf(*this), buttonDown, client, layout.clientWidth,
                     layout.clientHeight)) {
    case HoldAction::FollowCursor: MoveWindowTo(screen); break;
    case HoldAction::Released: EndHold(*this); break;
    case HoldAction::Raise: RaiseWindow(*this); break;
    case HoldAction::BeginDrag: PickUpWindow(*this); break;
    case HoldAction::None:
    case HoldAction::Restarted: break;
  }
}

LRESULT CALLBACK CalendarApp::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  CalendarApp& app = Instance();
  // Messages of the creation, before the window handle is known, get default processing.
  if (hwnd != app.mainWindow) return DefWindowProcA(hwnd, message, wParam, lParam);

  switch (message) {
    case WM_PAINT:
      return OnPaint(app, hwnd);
    case WM_CLOSE:
      // Destroying the window would free what the open dialog still works on: the dialog is
      // cancelled first, and its end brings the close back.
      if (app.modalDepth > 0) {
        app.CloseModalWindows();
        return 0;
      }
      ShowWindow(hwnd, SW_HIDE);
      app.RemoveTrayIcon();
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session ends (log-off, shut-down): the same end as a close. Every change is in
      // its file already; an open dialog is cancelled, so nothing it holds is written.
      if (!wParam) return 0;
      if (app.modalDepth > 0) {
        app.CloseModalWindows();
        return 0;
      }
      ShowWindow(hwnd, SW_HIDE);
      app.RemoveTrayIcon();
      DestroyWindow(hwnd);
      return 0;
    case WM_SHOWCALENDAR:
      app.ShowInFront();
      return 0;
    case WM_SETTINGCHANGE:
      // The taskbar moved or changed size: the calendar stays clear of it.
      if (wParam == SPI_SETWORKAREA) app.PlaceWindow();
      // A new wallpaper or desktop colour shows at once.
      app.RefreshAll();
      return 0;
    case WM_DISPLAYCHANGE:
      // A monitor was unplugged, added or re-arranged, or its resolution changed.
      app.PlaceWindow();
      app.RefreshAll();
      break;
    case WM_ACTIVATEAPP:
      DefWindowProcA(hwnd, message, wParam, lParam);
      OnActivateApp(app, wParam != 0);
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const int index = static_cast<int>(item->CtlID) - kFirstButtonId;
      if (index >= 0 && index < kButtonCount) app.buttons[index].Draw(*item);
      return 1;
    }
    case WM_WINDOWPOSCHANGING:
      DefWindowProcA(hwnd, message, wParam, lParam);
      if (PinnedToBottom(app.options->AlwaysBottom, app.keepAtBottom)) {
        reinterpret_cast<WINDOWPOS*>(lParam)->hwndInsertAfter = HWND_BOTTOM;
      }
      return 0;
    case WM_NCDESTROY:
      DefWindowProcA(hwnd, message, wParam, lParam);
      Destroy();
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(app, wParam, lParam);
      break;
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id >= kFirstButtonId && id < kFirstButtonId + kButtonCount) {
        if (HIWORD(wParam) == 0) OnNavigationButton(app, id);
      } else {
        app.OnMenuCommand(id);
      }
      return 0;
    }
    case WM_TIMER:
      OnTimer(app, wParam);
      break;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(app, lParam);
      break;
    case WM_LBUTTONUP:
      OnLeftButtonUp(app, wParam, lParam);
      break;
    case WM_LBUTTONDBLCLK:
      if (app.modalDepth == 0) {
        app.OpenMemoEditor(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam);
      }
      break;
    case WM_RBUTTONDOWN:
      app.suppressMenu = 0;
      break;
    case WM_RBUTTONUP:
      if (app.dragState == DRAG_IDLE && !app.suppressMenu && app.modalDepth == 0) {
        app.ShowContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      }
      break;
    case WM_CONTEXTMENU:
      // Shift+F10 or the Application key (no mouse point): the menu opens at the window's
      // top-left corner. The right button's menu comes from WM_RBUTTONUP.
      if (lParam == -1 && app.dragState == DRAG_IDLE && app.modalDepth == 0) {
        app.ShowContextMenu(POINT{0, 0});
        return 0;
      }
      break;
    case WM_MBUTTONUP:
      app.CycleBackMode();
      break;
    case WM_DPICHANGED:
      app.OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_POWERBROADCAST:
      app.OnPowerBroadcast(wParam);
      break;
    case WM_FINISHSTART:
      app.FinishStart();
      return 0;
    case WM_TRAYICON:
      app.OnTrayIcon(lParam);
      return 1;
    default:
      // The shell restarted: the tray icon has to be added again.
      if (TaskbarCreatedMessage != 0 && message == TaskbarCreatedMessage) {
        app.AddTrayIcon();
        return 1;
      }
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
