// A small Win32 driver for end-to-end tests: starts a program, finds its windows, reads and
// operates them, and saves screenshots into the artifacts folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace driver {

// Timeouts long enough for a cold Wine process start, short enough to end a hung test.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kMessageTimeoutMs = 5000;

// Folder of the running test executable, ending with a backslash.
std::wstring ExecutableFolder();
// The finished program folder (<build>\Zanto\, beside the tests folder), ending with a backslash.
std::wstring ProgramFolder();
// Full path of a file in the program folder, e.g. ProgramPath(L"Hoshiro.exe").
std::wstring ProgramPath(const std::wstring& fileName);
// Wraps a path in double quotes, as a command line needs it when the path has blanks.
std::wstring Quoted(const std::wstring& path);

// Polls condition every intervalMs until it holds or timeoutMs has passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs = 20);

// A process started by a test. It is terminated when the object goes while it still runs,
// so a failing test leaves no window behind.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts commandLine with CreateProcessW. With an empty applicationName the system takes the
  // program from the command line; otherwise the command line is handed over unchanged.
  static Process Start(const std::wstring& commandLine, const std::wstring& applicationName = {});
  // The same through CreateProcessA, as a program working in the ANSI code page starts others.
  static Process StartAnsi(const std::string& commandLine, const std::string& applicationName = {});

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD StartError() const { return startError_; }
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

  bool Running() const;
  // Waits for the process to end; false when it still runs after timeoutMs.
  bool Wait(DWORD timeoutMs) const;
  // The exit code, or STILL_ACTIVE while the process runs.
  DWORD ExitCode() const;
  // Waits until the process waits for input with an empty queue (its windows are up).
  bool WaitForIdle(DWORD timeoutMs) const;
  void Terminate(UINT exitCode = 1);

 private:
  void Close();

  PROCESS_INFORMATION info_{};
  DWORD startError_ = 0;
};

// Visible top-level windows of a process, in z order; className nullptr means any class.
std::vector<HWND> TopLevelWindows(DWORD processId, const wchar_t* className = nullptr);
// Waits for a visible top-level window of the process; nullptr on timeout or when the
// process ended first.
HWND WaitForWindow(const Process& process, const wchar_t* className,
                   DWORD timeoutMs = kStartTimeoutMs);

// Reading windows of any process.
std::wstring Text(HWND window);
// The window text in the ANSI code page, as an ANSI program sees it.
std::string TextAnsi(HWND window);
std::wstring ClassName(HWND window);
LONG_PTR Style(HWND window);
LONG_PTR ExStyle(HWND window);
RECT WindowRect(HWND window);
RECT ClientRect(HWND window);
// A child window's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);
// The window that has the keyboard focus in the thread owning window (nullptr if none).
HWND FocusOf(HWND window);

// Messages to windows of other processes. Send gives up after kMessageTimeoutMs, so a hung
// program fails the test instead of hanging it; ok (if given) tells whether it was answered.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0, bool* ok = nullptr);
bool Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// Base names of the libraries loaded in a process, in lower case and sorted.
std::vector<std::string> LoadedModules(HANDLE process);
// Handles every message waiting for this thread's windows (a calendar run inside the test).
void PumpMessages();
// Moves and sizes a window of another process as a user dragging it would.
bool SetWindowRect(HWND window, const RECT& rect);

// The visible descendant of parent with the control id, or null.
HWND Descendant(HWND parent, int id);
// Sets a control's text as a user's typing would end, and expects the control to answer.
void SetText(HWND control, const std::wstring& text);

// The artifacts folder (ZANTO_ARTIFACTS; a Linux path /x/y is taken as Z:\x\y, as Wine maps
// it), created when missing, ending with a backslash. Empty when the variable is not set.
std::wstring ArtifactsFolder();
// Saves the whole screen, or the screen area of one window, as a 24-bit BMP named
// name + ".bmp" in the artifacts folder. Returns the file path, or empty on failure.
std::wstring SaveScreenshot(const std::wstring& name);
std::wstring SaveScreenshot(HWND window, const std::wstring& name);
// Writes a screen area to a BMP file; false on failure.
bool SaveScreenArea(const RECT& area, const std::wstring& path);

// The 32-bit pixels of a screen area as it stands, top row first.
std::vector<DWORD> ScreenPixels(const RECT& area);
// The pixels of a window's screen area once its painting has settled: two looks a tenth of a
// second apart agree (at most three seconds of waiting).
std::vector<DWORD> SettledWindowPixels(HWND window);
// The 32-bit pixels of a bitmap, top row first; the bitmap must not be selected into a context.
std::vector<DWORD> BitmapPixels(HDC dc, HBITMAP bitmap, int width, int height);

}  // namespace driver
