// Times the start of the calendar, from process start to the first painted calendar window,
// next to the same for a minimal Win32 program that opens one window (this program itself,
// started with --minimal-window), in interleaved runs, and reports the peak working set of
// both. Where the difference goes: the libraries the calendar imports (each loaded here once,
// and the minimal window again with all of them loaded first), the rest being the calendar's own
// start-up work. Then the CPU both use while idle over a minute.
// Prints figures only; never part of the test run.
//
// It works on the data folder of the Wine prefix it runs in, so run it in a prefix of its own:
//   WINEPREFIX=$PWD/build/timing-prefix scripts/wine-run build/windows/tests/startup_timing.exe
//       [--calendar PATH\Zanto.exe] [--compare OTHER\Zanto.exe] [--idle-seconds N]
// --compare adds another build of the calendar to the same interleaved runs, so two builds are
// compared under the same load.
// The settings file found there is put back as it was at the end.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <functional>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "docs/data_folder.h"
#include "tests/common/test_files.h"
#include "docs/file_save.h"
#include "support/driver.h"
#include "support/milliseconds.h"

namespace {

constexpr wchar_t kMinimalClass[] = L"ZantoTimingMinimal";
constexpr wchar_t kCalendarClass[] = L"WindowClassZanto";
constexpr COLORREF kMinimalColour = RGB(20, 160, 60);
constexpr int kRuns = 7;

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
// one colour, and a message loop; with library names after the switch, it loads those first.
int RunMinimalWindow(int count, char** libraries) {
  for (int i = 0; i < count; ++i) LoadLibraryA(libraries[i]);
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
  // Libraries in the process when its first picture was seen, in lower case.
  std::vector<std::string> modules;
};


// Starts a program and waits for the centre of its window to show something other than the
// bare screen: that is its first picture.
Sample TimeStart(const std::wstring& commandLine, const wchar_t* windowClass) {
  Sample sample;
  // The root of a bare X screen stays black until a window draws itself there.
  const COLORREF underneath = RGB(0, 0, 0);
  const double start = driver::Milliseconds();
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
  if (painted) {
    sample.milliseconds = driver::Milliseconds() - start;
    sample.modules = driver::LoadedModules(process.Handle());
  }
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
  Series(const char* name, std::wstring commandLine, const wchar_t* windowClass,
         std::function<void()> prepare)
      : name(name), commandLine(std::move(commandLine)), windowClass(windowClass),
        prepare(std::move(prepare)) {}

  const char* name;
  std::wstring commandLine;
  const wchar_t* windowClass;
  // Runs before each start of this program, e.g. to put its settings in place.
  std::function<void()> prepare;
  std::vector<double> times;
  size_t peak = 0;
  std::vector<std::string> modules;
};

// One start of each program per round, so a busy machine slows all of them alike.
void MeasureInterleaved(std::vector<Series>& all) {
  for (int i = 0; i < kRuns; ++i) {
    for (Series& series : all) {
      if (series.prepare) series.prepare();
      const Sample sample = TimeStart(series.commandLine, series.windowClass);
      if (sample.milliseconds >= 0) series.times.push_back(sample.milliseconds);
      series.peak = std::max(series.peak, sample.peakWorkingSet);
      if (series.modules.empty()) series.modules = sample.modules;
    }
  }
}

double Best(const std::vector<double>& values) {
  return values.empty() ? -1 : *std::min_element(values.begin(), values.end());
}

void Report(const Series& series) {
  std::printf("%-40s median %7.1f ms, best %7.1f ms  (runs:", series.name, Median(series.times),
              Best(series.times));
  for (double t : series.times) std::printf(" %.1f", t);
  std::printf(")  peak working set %.1f MB\n", series.peak / (1024.0 * 1024.0));
}

// The libraries a program imports: those loaded with it, and those it loads on first use.
struct Imports {
  std::vector<std::string> atStart;
  std::vector<std::string> onFirstUse;
};

// Reads the import and delay-import tables of an executable file.
Imports ImportsOf(const std::wstring& path) {
  Imports imports;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return imports;
  std::vector<char> bytes(GetFileSize(file, nullptr));
  DWORD got = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  CloseHandle(file);
  if (got < sizeof(IMAGE_DOS_HEADER)) return imports;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data());
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(bytes.data() + dos->e_lfanew);
  const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
  const auto offsetOf = [&](DWORD rva) -> const char* {
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
      const IMAGE_SECTION_HEADER& section = sections[i];
      if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData) {
        return bytes.data() + section.PointerToRawData + (rva - section.VirtualAddress);
      }
    }
    return nullptr;
  };
  const IMAGE_DATA_DIRECTORY& table = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(offsetOf(table.VirtualAddress));
  for (; entry && entry->Name; ++entry) {
    if (const char* name = offsetOf(entry->Name)) imports.atStart.push_back(name);
  }
  // mingw-w64 leaves the delay-import directory entry empty: its delay-load descriptors are
  // found by the names of the libraries in the read-only data instead.
  for (const char* known : {"gdiplus.dll", "wininet.dll", "comdlg32.dll", "comctl32.dll"}) {
    const std::string name(known);
    const bool atStart = std::any_of(imports.atStart.begin(), imports.atStart.end(),
                                     [&](const std::string& n) { return _stricmp(n.c_str(), known) == 0; });
    if (atStart) continue;
    const auto found = std::search(bytes.begin(), bytes.end(), name.begin(), name.end(),
                                   [](char a, char b) { return tolower(a) == tolower(b); });
    if (found != bytes.end()) imports.onFirstUse.push_back(name);
  }
  return imports;
}

// What each library the calendar loads at start costs on its first load in a process (this
// one), in the order the calendar imports them: a library's own imports count with it.
void ReportLibraries(const Imports& imports) {
  std::printf("Libraries loaded with the calendar (first load in this process):\n");
  double total = 0;
  for (const std::string& name : imports.atStart) {
    if (GetModuleHandleA(name.c_str())) {
      std::printf("  %-16s already loaded here\n", name.c_str());
      continue;
    }
    const double start = driver::Milliseconds();
    LoadLibraryA(name.c_str());
    const double cost = driver::Milliseconds() - start;
    total += cost;
    std::printf("  %-16s %7.2f ms\n", name.c_str(), cost);
  }
  std::printf("  together        %7.2f ms\n", total);
  std::printf("Libraries loaded on first use:");
  for (const std::string& name : imports.onFirstUse) std::printf(" %s", name.c_str());
  std::printf("%s\n", imports.onFirstUse.empty() ? " none" : "");
}

// CPU time of a process so far, user and kernel, in milliseconds, from GetProcessTimes.
double CpuMilliseconds(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  const auto ms = [](const FILETIME& t) {
    return ((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

std::string ReadSmallFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  char buffer[4096];
  DWORD got = 0;
  ReadFile(file, buffer, sizeof buffer, &got, nullptr);
  CloseHandle(file);
  return std::string(buffer, got);
}

// Wine answers GetProcessTimes of another process with zeros. Its processes are host
// processes, though: the host's process table (Z:\proc) gives the CPU time of the one whose
// command line holds every marker, in clock ticks of 10 ms.
double HostCpuMilliseconds(const std::vector<std::string>& markers) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double result = -1;
  do {
    if (!iswdigit(found.cFileName[0])) continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + found.cFileName + L"\\";
    std::string command = ReadSmallFile(folder + L"cmdline");
    std::replace(command.begin(), command.end(), '\0', ' ');
    const bool match = std::all_of(markers.begin(), markers.end(), [&](const std::string& m) {
      return command.find(m) != std::string::npos;
    });
    if (!match) continue;
    const std::string stat = ReadSmallFile(folder + L"stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    // After the name: state, then fields 4 to 13, then utime and stime.
    std::vector<std::string> fields;
    size_t at = close + 2;
    while (at < stat.size() && fields.size() < 13) {
      const size_t end = stat.find(' ', at);
      fields.push_back(stat.substr(at, end - at));
      at = end == std::string::npos ? stat.size() : end + 1;
    }
    if (fields.size() < 13) continue;
    result = 10.0 * (std::atof(fields[11].c_str()) + std::atof(fields[12].c_str()));
    break;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return result;
}

// Starts both programs side by side, lets them idle, and reports the CPU each used meanwhile.
void ReportIdleCpu(const std::wstring& calendar, const std::wstring& minimal,
                   const std::string& calendarFile, int seconds) {
  struct Idle {
    const char* name;
    const wchar_t* windowClass;
    std::vector<std::string> markers;
    driver::Process process;
    double before = 0;
    double hostBefore = 0;
  } idle[] = {{"Zanto", kCalendarClass, {calendarFile}, driver::Process::Start(calendar)},
              {"minimal Win32 window", kMinimalClass, {"startup_timing", "--minimal-window"},
               driver::Process::Start(minimal)}};
  for (Idle& one : idle) {
    driver::WaitForWindow(one.process, one.windowClass);
    one.process.WaitForIdle(driver::kStartTimeoutMs);
    one.before = CpuMilliseconds(one.process.Handle());
    one.hostBefore = HostCpuMilliseconds(one.markers);
  }
  Sleep(static_cast<DWORD>(seconds) * 1000);
  std::printf("CPU while idle for %d s (GetProcessTimes; host process table):\n", seconds);
  for (Idle& one : idle) {
    const double host = HostCpuMilliseconds(one.markers);
    std::printf("  %-22s %7.1f ms; %7.1f ms\n", one.name,
                CpuMilliseconds(one.process.Handle()) - one.before,
                one.hostBefore >= 0 && host >= 0 ? host - one.hostBefore : -1.0);
    for (HWND window : driver::TopLevelWindows(one.process.Id(), one.windowClass)) {
      driver::Post(window, WM_CLOSE);
    }
    if (!one.process.Wait(driver::kStartTimeoutMs)) one.process.Terminate();
  }
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

// Runs startup_phases (beside this program) kRuns times and prints the median of each step.
void ReportPhases() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring program = self;
  program = program.substr(0, program.rfind(L'\\') + 1) + L"startup_phases.exe";
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  const std::string output = std::string(folder) + "zanto_startup_phases.txt";
  std::vector<std::string> names;
  std::vector<std::vector<double>> times;
  for (int run = 0; run < kRuns; ++run) {
    DeleteFileA(output.c_str());
    driver::Process process = driver::Process::Start(
        driver::Quoted(program) + L" " + std::wstring(output.begin(), output.end()));
    if (!process.Started() || !process.Wait(driver::kStartTimeoutMs)) return;
    std::string text = ReadFile(output);
    for (size_t at = 0, step = 0; at < text.size(); ++step) {
      const size_t tab = text.find('\t', at);
      const size_t end = text.find('\n', at);
      if (tab == std::string::npos || end == std::string::npos) break;
      if (step == names.size()) {
        names.push_back(text.substr(at, tab - at));
        times.emplace_back();
      }
      times[step].push_back(std::atof(text.substr(tab + 1, end - tab - 1).c_str()));
      at = end + 1;
    }
  }
  std::printf("The calendar's own start-up steps (startup_phases, medians of %d runs):\n", kRuns);
  double total = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    std::printf("  %-40s %7.2f ms\n", names[i].c_str(), Median(times[i]));
    // The last step comes after the window is on the screen, and the display connection is
    // paid by the minimal window as well.
    if (i + 1 < names.size() && names[i].compare(0, 7, "display") != 0) total += Median(times[i]);
  }
  std::printf("  %-40s %7.2f ms\n", "the calendar's own, until the first paint", total);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--minimal-window") == 0) {
    return RunMinimalWindow(argc - 2, argv + 2);
  }
  std::wstring calendarPath = driver::ProgramPath(L"Zanto.exe");
  std::wstring comparePath;
  int idleSeconds = 60;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--calendar") == 0) {
      calendarPath = std::wstring(argv[i + 1], argv[i + 1] + std::strlen(argv[i + 1]));
    } else if (std::strcmp(argv[i], "--compare") == 0) {
      comparePath = std::wstring(argv[i + 1], argv[i + 1] + std::strlen(argv[i + 1]));
    } else if (std::strcmp(argv[i], "--idle-seconds") == 0) {
      idleSeconds = std::atoi(argv[i + 1]);
    }
  }

  const std::wstring calendar = driver::Quoted(calendarPath);
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring minimal = driver::Quoted(self) + L" --minimal-window";
  const Imports imports = ImportsOf(calendarPath);
  std::wstring minimalWithImports = minimal;
  for (const std::string& name : imports.atStart) {
    minimalWithImports += L" " + std::wstring(name.begin(), name.end());
  }

  // A first start copies the default settings and the holiday table into the data folder.
  const std::string original = ReadFile(SettingsPath);
  TimeStart(calendar, kCalendarClass);
  const std::string installed = ReadFile(SettingsPath);

  std::vector<Series> all = {
      {"minimal Win32 window", minimal, kMinimalClass, nullptr},
      {"minimal window + calendar's libraries", minimalWithImports, kMinimalClass, nullptr},
      {"Zanto, local holiday tables", calendar, kCalendarClass,
       [&] { WriteAll(SettingsPath, WithLocalTable(installed)); }},
      {"Zanto, shipped table address", calendar, kCalendarClass,
       [&] { WriteAll(SettingsPath, installed); }},
  };
  if (!comparePath.empty()) {
    all.emplace_back("other build, local holiday tables", driver::Quoted(comparePath),
                     kCalendarClass, [&] { WriteAll(SettingsPath, WithLocalTable(installed)); });
  }
  MeasureInterleaved(all);

  std::printf("Start to first painted window, %d interleaved runs each:\n", kRuns);
  for (const Series& series : all) Report(series);
  const double base = Median(all[0].times);
  if (base > 0) {
    std::printf("ratio local / minimal: %.2f; shipped / minimal: %.2f\n",
                Median(all[2].times) / base, Median(all[3].times) / base);
    if (all.size() > 4) {
      std::printf("ratio other build local / minimal: %.2f\n", Median(all[4].times) / base);
    }
    // On a busy machine one slow run moves a median of seven; the best runs show the cost
    // with the least noise.
    std::printf("best runs, local / minimal: %.2f; shipped / minimal: %.2f\n",
                Best(all[2].times) / Best(all[0].times), Best(all[3].times) / Best(all[0].times));
    std::printf("of the local start's extra %.1f ms: libraries %.1f ms, the calendar's own work "
                "%.1f ms\n",
                Median(all[2].times) - base, Median(all[1].times) - base,
                Median(all[2].times) - Median(all[1].times));
    std::printf("peak working set, local / minimal: +%.1f MB\n",
                (static_cast<double>(all[2].peak) - static_cast<double>(all[0].peak)) /
                    (1024.0 * 1024.0));
  }
  ReportLibraries(imports);
  // What the calendar really has loaded by its first picture, imported or not (a class of the
  // common controls, say, loads their library).
  std::printf("Libraries at the first picture beyond the minimal window's:");
  for (const std::string& name : all[2].modules) {
    if (!std::binary_search(all[0].modules.begin(), all[0].modules.end(), name)) std::printf(" %s", name.c_str());
  }
  std::printf("\n");

  WriteAll(SettingsPath, WithLocalTable(installed));
  ReportPhases();
  const std::string calendarFile(calendarPath.begin() + calendarPath.rfind(L'\\') + 1,
                                 calendarPath.end());
  if (idleSeconds > 0) ReportIdleCpu(calendar, minimal, calendarFile, idleSeconds);

  if (original.empty()) {
    DeleteFileA(SettingsPath.c_str());
  } else {
    WriteAll(SettingsPath, original);
  }
  return 0;
}
