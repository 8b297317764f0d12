// The calendar's test build runs side by side with itself (tests start several against
// different servers at once): each process takes a session mutex of its own.
#include <windows.h>

#include <string>

#include "app/single_instance.h"

const char* InstanceMutexName() {
  static const std::string name =
      "Local\\Quor.Zanto.Calendar.Test." + std::to_string(GetCurrentProcessId());
  return name.c_str();
}
