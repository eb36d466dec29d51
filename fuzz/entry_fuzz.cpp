// quenta's outside data: its command line (the CAD window's handle), the
// values it reads from the product key (position, delay, increment,
// language), and the increment field's text. The window placed from any
// stored position lies on the work area.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "entry/entry_logic.h"
#include "entry/settings.h"
#include "fuzz/fuzz_input.h"

using namespace topaline;
using topaline::fuzz::TakeRegistryValue;
using topaline::fuzz::TakeText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);

  std::vector<std::wstring> args;
  for (int n = in.ConsumeIntegralInRange<int>(0, 3); n > 0; --n) args.push_back(TakeText(in, 24));
  if (const auto target = ParseTargetHandle(args); target && *target == 0) std::abort();

  HeadlessRegistry registry;
  for (const wchar_t* name : {L"xpos", L"ypos", L"tempo", L"increment", L"langue"})
    if (in.ConsumeBool()) TakeRegistryValue(in, registry, kEntryProductKey, name);
  const auto key = registry.open(kEntryProductKey, true);
  const EntrySettings s = LoadEntrySettings(*key);
  if (s.tempo > kMaxTempo) std::abort();
  TextsFor(s.langue);

  const int width = in.ConsumeIntegralInRange<int>(1, 4000), height = in.ConsumeIntegralInRange<int>(1, 4000);
  const int left = in.ConsumeIntegralInRange<int>(-5000, 5000), top = in.ConsumeIntegralInRange<int>(-5000, 5000);
  const ScreenRect area{left, top, left + in.ConsumeIntegralInRange<int>(1, 8000),
                        top + in.ConsumeIntegralInRange<int>(1, 8000)};
  const ScreenRect placed = PlaceOnScreen({s.xpos, s.ypos}, width, height, area);
  if (placed.width() != width || placed.height() != height) std::abort();
  // On the area when it fits; larger: its top-left corner is.
  if (placed.left < area.left || placed.top < area.top) std::abort();
  if (width <= area.width() && placed.right > area.right) std::abort();
  if (height <= area.height() && placed.bottom > area.bottom) std::abort();

  const std::wstring increment = in.ConsumeBool() ? s.increment : TakeText(in);
  const IncrementExit exit = LeaveIncrement(increment);
  if (exit.store && (exit.beep || !ParseIncrement(exit.text) || *ParseIncrement(exit.text) == 0)) std::abort();
  if (exit.beep && exit.text != L"1") std::abort();
  IncrementNeedsBeep(increment);
  IsValidEntry(TakeText(in));
  return 0;
}
