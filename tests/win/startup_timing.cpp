// Times the start of the calendar, from process start to the first painted calendar window,
// next to the same for a minimal Win32 program that opens one window (this program itself,
// started with --minimal-window), and reports the peak working set of both.
// Prints figures only; never part of the test run.
//
// It works on the data folder of the Wine prefix it runs in, so run it in a prefix of its own:
//   WINEPREFIX=$PWD/build/timing-prefix scripts/wine-run build/windows/tests/startup_timing.exe
// The settings file found there is put back as it was at the end.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "docs/data_folder.h"
#include "tests/common/test_files.h"
#include "docs/file_save.h"
#include "support/driver.h"

namespace {

constexpr wchar_t kMinimalClass[] = L"ZantoTimingMinimal";
constexpr wchar_t kCalendarClass[] = L"WindowClassZanto";
constexpr COLORREF kMinimalColour = RGB(20, 160, 60);
constexpr int kRuns = 5;

LRESULT CALLBACK MinimalProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH brush = CreateSolidBrush(kMinimalColour);
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  }
  if (message == WM_CLOSE) {
    DestroyWindow(window);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(window, message, wParam, lParam);
}

// The program it is compared with: one popup window of about the calendar's size, painted in
// one colour, and a message loop.
int RunMinimalWindow() {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = MinimalProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kMinimalClass;
  RegisterClassExW(&wc);
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kMinimalClass, L"", WS_POPUP, 100, 100, 232,
                                208, nullptr, nullptr, wc.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

POINT Centre(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

struct Sample {
  double milliseconds = -1;
  size_t peakWorkingSet = 0;
};

// Starts a program and waits for the centre of its window to show something other than the
// bare screen: that is its first picture.
Sample TimeStart(const std::wstring& commandLine, const wchar_t* windowClass) {
  Sample sample;
  // The root of a bare X screen stays black until a window draws itself there.
  const COLORREF underneath = RGB(0, 0, 0);
  const double start = Now();
  driver::Process process = driver::Process::Start(commandLine);
  if (!process.Started()) return sample;
  HWND window = nullptr;
  POINT centre = {};
  const bool painted = driver::WaitUntil(
      [&] {
        if (!window) {
          const std::vector<HWND> found = driver::TopLevelWindows(process.Id(), windowClass);
          if (found.empty()) return false;
          window = found.front();
          centre = Centre(driver::WindowRect(window));
        }
        return ScreenPixel(centre) != underneath;
      },
      driver::kStartTimeoutMs, 1);
  if (painted) sample.milliseconds = Now() - start;
  process.WaitForIdle(driver::kStartTimeoutMs);
  PROCESS_MEMORY_COUNTERS memory = {};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process.Handle(), &memory, sizeof memory)) {
    sample.peakWorkingSet = memory.PeakWorkingSetSize;
  }
  if (window) driver::Post(window, WM_CLOSE);
  if (!process.Wait(driver::kStartTimeoutMs)) process.Terminate();
  return sample;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

struct Series {
  std::vector<double> times;
  size_t peak = 0;
};

Series Measure(const std::wstring& commandLine, const wchar_t* windowClass) {
  Series series;
  for (int i = 0; i < kRuns; ++i) {
    const Sample sample = TimeStart(commandLine, windowClass);
    if (sample.milliseconds >= 0) series.times.push_back(sample.milliseconds);
    series.peak = std::max(series.peak, sample.peakWorkingSet);
  }
  return series;
}

void Report(const char* name, const Series& series) {
  std::printf("%-34s median %7.1f ms  (runs:", name, Median(series.times));
  for (double t : series.times) std::printf(" %.1f", t);
  std::printf(")  peak working set %.1f MB\n", series.peak / (1024.0 * 1024.0));
}


void WriteAll(const std::string& path, const std::string& bytes) {
  SaveFileAtomically(path, bytes.data(), bytes.size());
}

// The same settings with holiday table 0 read from its local copy instead of the network.
std::string WithLocalTable(std::string settings) {
  const std::string open = "<HolidayTable00";
  const size_t element = settings.find(open);
  if (element == std::string::npos) return settings;
  const size_t textStart = settings.find('>', element) + 1;
  const size_t textEnd = settings.find("</HolidayTable00>", textStart);
  if (textEnd == std::string::npos) return settings;
  settings.replace(textStart, textEnd - textStart, DataFolder + "Holidays00.xml");
  return settings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--minimal-window") == 0) return RunMinimalWindow();

  const std::wstring calendar = driver::Quoted(driver::ProgramPath(L"Zanto.exe"));
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring minimal = driver::Quoted(self) + L" --minimal-window";

  // A first start copies the default settings and the holiday table into the data folder.
  const std::string original = ReadFile(SettingsPath);
  TimeStart(calendar, kCalendarClass);
  const std::string installed = ReadFile(SettingsPath);

  const Series minimalSeries = Measure(minimal, kMinimalClass);
  WriteAll(SettingsPath, WithLocalTable(installed));
  const Series localSeries = Measure(calendar, kCalendarClass);
  WriteAll(SettingsPath, installed);
  const Series shippedSeries = Measure(calendar, kCalendarClass);
  if (original.empty()) {
    DeleteFileA(SettingsPath.c_str());
  } else {
    WriteAll(SettingsPath, original);
  }

  std::printf("Start to first painted window, %d runs each:\n", kRuns);
  Report("minimal Win32 window", minimalSeries);
  Report("Zanto, local holiday tables", localSeries);
  Report("Zanto, shipped table address", shippedSeries);
  const double base = Median(minimalSeries.times);
  if (base > 0) {
    std::printf("ratio local / minimal: %.2f; shipped / minimal: %.2f\n",
                Median(localSeries.times) / base, Median(shippedSeries.times) / base);
  }
  return 0;
}
