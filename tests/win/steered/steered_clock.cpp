// The clock of the calendar's test build: the time written in "SteeredClock.txt" beside the
// program ("year month day hour minute second"), read afresh on every tick, or the real local
// time while there is no such file. Tests set the clock and send a tick instead of waiting
// for a real minute to pass.
#include <cstdio>
#include <string>

#include "app/program_folder.h"
#include "app/tick_clock.h"

SYSTEMTIME ReadTickTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string path = ProgramFolder() + "SteeredClock.txt";
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return now;
  int year, month, day, hour, minute, second;
  if (std::fscanf(file, "%d %d %d %d %d %d", &year, &month, &day, &hour, &minute, &second) == 6) {
    now.wYear = static_cast<WORD>(year);
    now.wMonth = static_cast<WORD>(month);
    now.wDay = static_cast<WORD>(day);
    now.wHour = static_cast<WORD>(hour);
    now.wMinute = static_cast<WORD>(minute);
    now.wSecond = static_cast<WORD>(second);
  }
  std::fclose(file);
  return now;
}
