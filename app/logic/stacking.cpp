#include "app/logic/stacking.h"

#include <climits>

int AutoReturnTicks(int autoDisplayNowSeconds) {
  if (autoDisplayNowSeconds <= 0) return 0;
  // In 64 bits: a large number of seconds must not overflow into a negative count.
  const long long ticks = (static_cast<long long>(autoDisplayNowSeconds) * 1000 - 1000) / 2000 + 1;
  return ticks > INT_MAX ? INT_MAX : static_cast<int>(ticks);
}

ActivationStep OnAppActivation(const ActivationInput& input, int& keepAtBottom,
                               int& autoReturnTicks) {
  ActivationStep step;
  if (input.active) {
    step.sendToBottom = input.alwaysBottom != 0;
    autoReturnTicks = 0;
    return step;
  }
  if (input.autoDisplayNow > 0 && !input.showsHomeMonth && input.windowEnabled) {
    autoReturnTicks = AutoReturnTicks(input.autoDisplayNow);
  }
  if (input.alwaysBottom) {
    keepAtBottom = 1;
    step.sendToBottom = true;
    step.hideProbe = true;
  }
  return step;
}

bool PinnedToBottom(int alwaysBottom, int keepAtBottom) {
  return alwaysBottom != 0 && keepAtBottom != 0;
}
