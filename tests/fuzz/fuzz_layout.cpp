// Any numbers in the settings that shape the window (spacing, shadows, adjustments, a font
// of any size, the small old-calendar line under the numbers at any size): the layout and the arithmetic of drawing and hit-testing never overflow, and
// the window keeps a size a screen can take.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "calendar/layout.h"

namespace {

LayoutInput ConsumeInput(FuzzedDataProvider& data) {
  LayoutInput in;
  for (int32_t* value : {&in.buttonBarHeight, &in.headingWidth, &in.headingHeight, &in.headingSpaceY,
                         &in.headingShadow, &in.titleWidth, &in.titleHeight, &in.weekSpaceY, &in.weekShadow,
                         &in.numberWidth, &in.numberHeight, &in.daySpaceX, &in.daySpaceY, &in.dayShadow,
                         &in.adjustTop, &in.adjustLeft, &in.adjustRight, &in.adjustBottom}) {
    *value = data.ConsumeIntegral<int32_t>();
  }
  in.weekRowShown = data.ConsumeBool();
  in.italic = data.ConsumeBool();
  if (data.ConsumeBool()) {
    in.subLineWidth = data.ConsumeIntegral<int32_t>();
    in.subLineHeight = data.ConsumeIntegral<int32_t>();
  }
  return in;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  const LayoutInput in = ConsumeInput(data);
  CalendarLayout layout = LayOutCalendar(in);
  if (layout.clientWidth <= 0 || layout.clientHeight <= 0) std::abort();
  // Bounded inputs: 4,096-pixel numbers at 1,000 % spacing make the widest window, about 320,000.
  if (layout.clientWidth > 1000000 || layout.clientHeight > 1000000) std::abort();
  if (layout.cellWidth < 0 || layout.cellHeight < 0) std::abort();
  // The small line lies inside its cell, below the top.
  const LayoutBox& sub = layout.subLineBox;
  if (sub.w < 0 || sub.h < 0 || sub.x < 0 || sub.y < 0) std::abort();
  if (sub.h > 0 && (sub.x + sub.w > layout.cellWidth || sub.y + sub.h > layout.cellHeight)) std::abort();
  GridWidth(in, layout);

  layout.firstCellDay = FirstCellDay(data.ConsumeIntegralInRange(0, 6), data.ConsumeIntegral<int32_t>());
  layout.gridTop = data.ConsumeIntegralInRange(0, layout.clientHeight);
  const int32_t days = data.ConsumeIntegralInRange(28, 31);
  RowCount(layout.firstCellDay, days);
  const int32_t day = DayAtGridPoint(layout, days, data.ConsumeIntegral<int32_t>(), data.ConsumeIntegral<int32_t>());
  if (day < 0 || day > days) std::abort();

  const CalendarLayout scaled = ScaleLayout(layout, data.ConsumeIntegralInRange(96, 480));
  if (scaled.subLineBox.h < 0 || scaled.clientHeight <= 0) std::abort();
  for (int32_t box : {layout.markBox.w, layout.markBox.h, layout.numberBox.w, layout.numberBox.h}) {
    const ImageSpan span = PlaceImageSpan(box, data.ConsumeIntegralInRange(0, 1 << 16));
    if (span.length < 0 || span.target < 0 || span.source < 0) std::abort();
  }
  return 0;
}
