// libFuzzer target over the integer-reading rule and the schedule: any field text, any 32-bit
// entered values, any current time, then validation, the target and a run of ticks.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "int_reader.h"
#include "schedule.h"

namespace {

[[noreturn]] void Broken(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

template <class T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

void CheckReading(const std::string& text, ShutdownSchedule& schedule) {
  const int32_t before = schedule.m_nHour;
  int32_t value = before;
  if (ReadIntegerField(text.c_str(), &value)) {
    // An accepted text reads back to the same value, and so does the value written out.
    int32_t again = 0;
    if (!ReadIntegerField(text.c_str(), &again) || again != value) Broken("re-read differs");
    const std::string written = std::to_string(value);
    if (!ReadIntegerField(written.c_str(), &again) || again != value)
      Broken("written value differs");
    schedule.m_nHour = value;
  } else if (value != before) {
    Broken("a rejected text changed the value");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("TZ", "Europe/Berlin", 1);  // a zone with daylight-saving changes
  tzset();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t textLength = Take<uint8_t>(data, size) % 48;
  std::string text(reinterpret_cast<const char*>(data), textLength < size ? textLength : size);
  text = text.substr(0, std::strlen(text.c_str()));
  data += text.size();
  size -= text.size();

  ShutdownSchedule schedule;
  const CTime now(Take<int32_t>(data, size));
  schedule.Init(now);
  schedule.m_nHour = Take<int32_t>(data, size);
  schedule.m_nMinute = Take<int32_t>(data, size);
  schedule.m_nSecond = Take<int32_t>(data, size);
  schedule.m_bRemind = Take<int32_t>(data, size);

  const ShutdownSchedule copy = schedule;
  CheckReading(text, schedule);
  if (schedule.Validate() != EntryField::None) {
    if (schedule.m_bArmed) Broken("armed while invalid");
    return 0;
  }
  const CTime target = ShutdownSchedule::ComputeTarget(schedule.m_nHour, schedule.m_nMinute,
                                                       schedule.m_nSecond, now);
  const bool armed = schedule.Arm(now);
  if (armed != (target.GetTime() >= 0)) Broken("arming does not follow the target");
  if (!armed) {
    if (schedule.m_bArmed || schedule.m_strInfo != copy.m_strInfo)
      Broken("a refused arming changed the schedule");
    return 0;
  }
  CTime tick = now;
  while (size >= 2) {
    tick = CTime(
        static_cast<int32_t>(static_cast<int64_t>(tick.GetTime()) + Take<int16_t>(data, size)));
    const TickResult result = schedule.EvaluateTick(tick);
    switch (result.verdict) {
      case TickVerdict::Remind:
        if (!(result.remaining > 0 && result.remaining < 60 && schedule.m_bRemind))
          Broken("remind outside 1..59");
        if (!schedule.m_bReminderShown) Broken("remind without the flag");
        break;
      case TickVerdict::Fire:
        if (result.remaining > 0) Broken("fire with time left");
        break;
      case TickVerdict::None:
        if (result.remaining <= 0) Broken("no fire with no time left");
        break;
    }
    if (Take<uint8_t>(data, size) % 7 == 0) {
      schedule.Disarm();
      if (schedule.m_bReminderShown) Broken("reminder flag after a cancel");
      return 0;
    }
  }
  (void)schedule.FormatClockLine(tick);
  return 0;
}
