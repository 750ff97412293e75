// The scheduler's window-free core: the entered time, the target instant, the texts and the
// once-a-second verdict.
#pragma once

#include <cstdint>

#include "cstring.h"
#include "ctime.h"

enum class EntryField { None, Hour, Minute, Second };
enum class TickVerdict { None, Remind, Fire };

struct TickResult {
  TickVerdict verdict = TickVerdict::None;
  int64_t remaining = 0;  // target minus now, in seconds
  CString text;           // the reminder text, for Remind
  bool first = false;     // for Remind: the first reminder of this arming
};

class ShutdownSchedule {
 public:
  int32_t m_bRemind = 0;
  int32_t m_nHour = 0;
  int32_t m_nMinute = 0;
  int32_t m_nSecond = 0;
  CTime m_timeShutdown;
  bool m_bReminderShown = false;
  bool m_bArmed = false;
  CString m_strInfo = "当前没有设定关机时间。";

  void Init(CTime now);
  EntryField Validate() const;
  static CTime ComputeTarget(int32_t hour, int32_t minute, int32_t second, CTime now);
  // Precondition: Validate() returned None. Returns false, changing nothing, when the target cannot
  // be represented (about a day before the end of the 32-bit range, or no usable current time).
  bool Arm(CTime now);
  void Disarm();
  TickResult EvaluateTick(CTime now);
  static CString FormatReminderText(int64_t remaining);
  CString FormatClockLine(CTime now) const;
};
