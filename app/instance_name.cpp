// Kept alone in its file: the calendar's test build links a name of its own instead.
#include "app/single_instance.h"

const char* InstanceMutexName() { return "Local\\Quor.Zanto.Calendar"; }
