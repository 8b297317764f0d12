// The calendar's start-up, step by step as the entry point and Initialize take them, each step
// timed: where the calendar's own start-up time goes once its libraries are loaded. Started by
// startup_timing with the path of a file to write the figures to; prints figures only.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/calendar_app.h"
#include "calendar/month_model.h"
#include "docs/settings.h"
#include "support/milliseconds.h"

namespace {


struct Phase {
  const char* name;
  double milliseconds;
};

class PhaseClock {
 public:
  template <typename Step>
  void Time(const char* name, Step step) {
    const double start = driver::Milliseconds();
    step();
    phases.push_back(Phase{name, driver::Milliseconds() - start});
  }

  // One line per step: its name, a tab, its milliseconds.
  void Write(const char* path) const {
    FILE* out = std::fopen(path, "w");
    if (!out) return;
    for (const Phase& phase : phases) std::fprintf(out, "%s\t%.3f\n", phase.name, phase.milliseconds);
    std::fclose(out);
  }

 private:
  std::vector<Phase> phases;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  PhaseClock clock;
  CalendarApp& app = CalendarApp::Instance();
  int error = 0;
  // Every window program pays for its first connection to the display; the minimal window
  // does too, so it is timed on its own rather than with the step that happens to come first.
  clock.Time("display connection (any program)", [&] { ReleaseDC(nullptr, GetDC(nullptr)); });
  clock.Time("settings document read", [&] {
    app.settings = &CSettings::Instance();
    error = app.settings->Load();
    app.options = &app.settings->Options;
  });
  if (error != 0) return 1;
  clock.Time("holiday tables", [&] { app.LoadHolidayTables(); });
  clock.Time("today and the month model", [&] {
    SYSTEMTIME now;
    GetLocalTime(&now);
    app.shownYear = app.homeYear = now.wYear;
    app.shownMonth = app.homeMonth = now.wMonth;
    app.homeDay = now.wDay;
    app.monthModel = new CMonthModel();
    app.monthModel->Build(app.shownYear, app.shownMonth);
  });
  clock.Time("memory device contexts", [&] {
    HDC screen = GetDC(nullptr);
    for (HDC* dc : {&app.composeDC, &app.backgroundDC, &app.decoImageDC, &app.buttonImageDC}) {
      *dc = CreateCompatibleDC(screen);
    }
    SetBkMode(app.composeDC, TRANSPARENT);
    ReleaseDC(nullptr, screen);
  });
  // Otherwise paid by the first redraw: the old calendar's table decoded, its months numbered.
  clock.Time("old calendar: table decoded", [&] { app.koyomi.Prepare(app.shownYear, app.shownMonth); });
  clock.Time("layout: fonts made and measured", [&] { app.ComputeLayout(); });
  clock.Time("windows, buttons, first redraw", [&] { app.CreateWindows(); });
  clock.Time("first paint", [&] { UpdateWindow(app.mainWindow); });
  clock.Time("after it: tray icon, common controls, tooltip", [&] { app.FinishStart(); });
  clock.Write(argv[1]);
  DestroyWindow(app.mainWindow);
  return 0;
}
