#include "schedule.h"

namespace {
bool InRange(int32_t value, int32_t low, int32_t high) { return value >= low && value <= high; }
}  // namespace

void ShutdownSchedule::Init(CTime now) {
  std::tm local{};
  if (!now.GetLocalTm(&local)) local = std::tm{};
  m_nHour = local.tm_hour;
  m_nMinute = local.tm_min;
  m_nSecond = local.tm_sec;
  m_bRemind = 1;
  m_bReminderShown = false;
  m_bArmed = false;
  m_strInfo = "当前没有设定关机时间。";
}

EntryField ShutdownSchedule::Validate() const {
  if (!InRange(m_nHour, 0, 23)) return EntryField::Hour;
  if (!InRange(m_nMinute, 0, 60)) return EntryField::Minute;
  if (!InRange(m_nSecond, 0, 60)) return EntryField::Second;
  return EntryField::None;
}

CTime ShutdownSchedule::ComputeTarget(int32_t hour, int32_t minute, int32_t second, CTime now) {
  std::tm local{};
  if (!now.GetLocalTm(&local)) return CTime(-1);
  // The entered numbers are compared as they stand, before any normalisation.
  const bool earlier =
      hour < local.tm_hour ||
      (hour == local.tm_hour &&
       (minute < local.tm_min || (minute == local.tm_min && second < local.tm_sec)));
  const int day = earlier ? local.tm_mday + 1 : local.tm_mday;
  return CTime(local.tm_year + 1900, local.tm_mon + 1, day, hour, minute, second, -1);
}

bool ShutdownSchedule::Arm(CTime now) {
  const CTime target = ComputeTarget(m_nHour, m_nMinute, m_nSecond, now);
  if (target.GetTime() < 0) return false;
  m_timeShutdown = target;
  m_strInfo = target.Format("设定的关机时间是%H:%M:%S");
  m_strInfo += m_bRemind ? ",离关机时间60秒将会有提示。" : ",到时直接关闭计算机。";
  m_bArmed = true;
  return true;
}

void ShutdownSchedule::Disarm() {
  m_strInfo = "，当前没有设定关机时间";
  m_bArmed = false;
  m_bReminderShown = false;
}

TickResult ShutdownSchedule::EvaluateTick(CTime now) {
  TickResult result;
  // A target that is not a real instant never fires; Arm does not store one.
  if (m_timeShutdown.GetTime() < 0) return result;
  result.remaining = m_timeShutdown - now;
  if (result.remaining > 0 && result.remaining < 60 && m_bRemind) {
    result.verdict = TickVerdict::Remind;
    result.first = !m_bReminderShown;
    m_bReminderShown = true;
    result.text = FormatReminderText(result.remaining);
  } else if (result.remaining <= 0) {
    result.verdict = TickVerdict::Fire;
  }
  return result;
}

CString ShutdownSchedule::FormatReminderText(int64_t remaining) {
  CString text;
  text.Format("计算机将于%lld秒后自动关闭?", static_cast<long long>(remaining));
  return text;
}

CString ShutdownSchedule::FormatClockLine(CTime now) const {
  return now.Format("现在的时间是 %H:%M:%S, ") + m_strInfo;
}
