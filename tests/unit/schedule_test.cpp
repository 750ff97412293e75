#include "schedule.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tz_guard.h"

namespace {

std::string Str(const CString& s) { return std::string(s); }

// A schedule armed at `now` for the given entry.
ShutdownSchedule ArmedAt(CTime now, int h, int m, int s, int remind = 1) {
  ShutdownSchedule schedule;
  schedule.Init(now);
  schedule.m_nHour = h;
  schedule.m_nMinute = m;
  schedule.m_nSecond = s;
  schedule.m_bRemind = remind;
  EXPECT_EQ(schedule.Validate(), EntryField::None);
  EXPECT_TRUE(schedule.Arm(now));
  return schedule;
}

}  // namespace

TEST(ShutdownSchedule, InitTakesTheLocalTimeAndStartsIdle) {
  TzGuard zone("Asia/Shanghai");
  ShutdownSchedule schedule;
  schedule.m_bArmed = true;
  schedule.m_bReminderShown = true;
  schedule.m_timeShutdown = CTime(777);
  schedule.Init(CTime(2026, 5, 20, 9, 5, 7));
  EXPECT_EQ(schedule.m_nHour, 9);
  EXPECT_EQ(schedule.m_nMinute, 5);
  EXPECT_EQ(schedule.m_nSecond, 7);
  EXPECT_EQ(schedule.m_bRemind, 1);
  EXPECT_FALSE(schedule.m_bArmed);
  EXPECT_FALSE(schedule.m_bReminderShown);
  EXPECT_EQ(schedule.m_timeShutdown, CTime(777));
  EXPECT_EQ(Str(schedule.m_strInfo), "当前没有设定关机时间。");
}

TEST(ShutdownSchedule, TargetDayAndNormalisation) {
  TzGuard zone("Asia/Shanghai");  // no daylight-saving time: a day is 86400 s
  struct Case {
    const char* name;
    int y, mo, d, hh, mm, ss;  // now
    int h, m, s;               // entry
    long long ahead;           // target - now
    const char* shown;         // the target's time of day in the info text
  } const cases[] = {
      {"equal to now", 2026, 5, 20, 13, 0, 0, 13, 0, 0, 0, "13:00:00"},
      {"one second before", 2026, 5, 20, 13, 0, 0, 12, 59, 59, 86399, "12:59:59"},
      {"later today", 2026, 5, 20, 13, 0, 0, 13, 0, 5, 5, "13:00:05"},
      {"over midnight", 2026, 5, 20, 23, 59, 50, 0, 0, 5, 15, "00:00:05"},
      {"minute 60", 2026, 5, 20, 9, 0, 0, 10, 60, 0, 7200, "11:00:00"},
      {"second 60", 2026, 5, 20, 9, 0, 0, 10, 59, 60, 7200, "11:00:00"},
      {"23:60 at noon", 2026, 5, 20, 12, 0, 0, 23, 60, 0, 43200, "00:00:00"},
      {"plain comparison, 12:60 at 13:00", 2026, 5, 20, 13, 0, 0, 12, 60, 0, 86400, "13:00:00"},
      {"minute compared before second", 2026, 5, 20, 13, 30, 0, 13, 29, 60, 86400, "13:30:00"},
      {"end of April", 2026, 4, 30, 10, 0, 0, 9, 0, 0, 82800, "09:00:00"},
      {"28 February", 2026, 2, 28, 10, 0, 0, 9, 0, 0, 82800, "09:00:00"},
      {"29 February", 2028, 2, 29, 10, 0, 0, 9, 0, 0, 82800, "09:00:00"},
      {"31 December", 2026, 12, 31, 10, 0, 0, 9, 0, 0, 82800, "09:00:00"},
  };
  for (const Case& c : cases) {
    const CTime now(c.y, c.mo, c.d, c.hh, c.mm, c.ss);
    ASSERT_GE(now.GetTime(), 0) << c.name;
    const ShutdownSchedule schedule = ArmedAt(now, c.h, c.m, c.s);
    EXPECT_EQ(schedule.m_timeShutdown - now, c.ahead) << c.name;
    EXPECT_EQ(Str(schedule.m_strInfo),
              std::string("设定的关机时间是") + c.shown + ",离关机时间60秒将会有提示。")
        << c.name;
  }
  // The day after the last of a month really is the first of the next one.
  std::tm local;
  ASSERT_TRUE(
      ShutdownSchedule::ComputeTarget(9, 0, 0, CTime(2026, 12, 31, 10, 0, 0)).GetLocalTm(&local));
  EXPECT_EQ(local.tm_year + 1900, 2027);
  EXPECT_EQ(local.tm_mon, 0);
  EXPECT_EQ(local.tm_mday, 1);
}

TEST(ShutdownSchedule, TomorrowAcrossADaylightSavingChange) {
  struct Case {
    const char* zone;
    int32_t now;  // noon on the day before a change
    long long ahead;
  } const cases[] = {
      {"America/New_York", 1772902800, 82799},  // 2026-03-07: the night loses an hour
      {"America/New_York", 1793462400, 89999},  // 2026-10-31: the night gains one
      {"Europe/Berlin", 1774695600, 82799},     // 2026-03-28
      {"Europe/Berlin", 1792836000, 89999},     // 2026-10-24
  };
  for (const Case& c : cases) {
    TzGuard zone(c.zone);
    const ShutdownSchedule schedule = ArmedAt(CTime(c.now), 11, 59, 59);
    EXPECT_EQ(schedule.m_timeShutdown - CTime(c.now), c.ahead) << c.zone << ' ' << c.now;
  }
  // Within the changing night: 01:59:50 EST, an entry of 03:00:05 is 15 s away.
  TzGuard zone("America/New_York");
  EXPECT_EQ(ArmedAt(CTime(1772953190), 3, 0, 5).m_timeShutdown - CTime(1772953190), 15);
}

TEST(ShutdownSchedule, ValidateNamesTheFirstFieldOutOfRange) {
  struct Case {
    int h, m, s;
    EntryField expected;
  } const cases[] = {
      {0, 0, 0, EntryField::None},
      {23, 60, 60, EntryField::None},
      {24, 61, 0, EntryField::Hour},
      {23, 61, 0, EntryField::Minute},
      {23, 60, 61, EntryField::Second},
      {-1, 0, 0, EntryField::Hour},
      {0, -1, 0, EntryField::Minute},
      {0, 0, -1, EntryField::Second},
      {INT_MIN, INT_MAX, INT_MAX, EntryField::Hour},
      {0, INT_MAX, 0, EntryField::Minute},
  };
  for (const Case& c : cases) {
    ShutdownSchedule schedule;
    schedule.m_nHour = c.h;
    schedule.m_nMinute = c.m;
    schedule.m_nSecond = c.s;
    EXPECT_EQ(schedule.Validate(), c.expected) << c.h << ':' << c.m << ':' << c.s;
  }
}

TEST(ShutdownSchedule, VerdictsAroundSixtyAndZero) {
  TzGuard zone("UTC");
  const CTime now(1779282000);                         // 2026-05-20 13:00:00
  ShutdownSchedule schedule = ArmedAt(now, 13, 2, 0);  // 13:00 UTC + 120 s
  struct Step {
    int at;  // seconds after arming
    TickVerdict verdict;
    bool first;
    const char* text;
  } const steps[] = {
      {59, TickVerdict::None, false, ""},  // 61 left
      {60, TickVerdict::None, false, ""},  // exactly 60 left
      {61, TickVerdict::Remind, true, "计算机将于59秒后自动关闭?"},
      {62, TickVerdict::Remind, false, "计算机将于58秒后自动关闭?"},
      {119, TickVerdict::Remind, false, "计算机将于1秒后自动关闭?"},
      {120, TickVerdict::Fire, false, ""},
      {125, TickVerdict::Fire, false, ""},  // a late tick
  };
  for (const Step& step : steps) {
    const TickResult result = schedule.EvaluateTick(CTime(now.GetTime() + step.at));
    EXPECT_EQ(result.verdict, step.verdict) << step.at;
    EXPECT_EQ(result.remaining, 120 - step.at) << step.at;
    if (step.verdict == TickVerdict::Remind) {
      EXPECT_EQ(result.first, step.first) << step.at;
      EXPECT_EQ(Str(result.text), step.text) << step.at;
    }
  }
  EXPECT_TRUE(schedule.m_bArmed) << "Fire leaves the schedule armed";
  EXPECT_TRUE(schedule.m_bReminderShown);
}

TEST(ShutdownSchedule, ClockSetBackOrForwardWhileArmed) {
  TzGuard zone("UTC");
  const CTime now(1779282000);                         // 2026-05-20 13:00:00
  ShutdownSchedule schedule = ArmedAt(now, 13, 1, 0);  // 60 s ahead
  EXPECT_EQ(schedule.EvaluateTick(CTime(now.GetTime() + 30)).verdict, TickVerdict::Remind);
  // Set back an hour: counting goes on with no reminder while 60 s or more remain.
  const TickResult back = schedule.EvaluateTick(CTime(now.GetTime() + 30 - 3600));
  EXPECT_EQ(back.verdict, TickVerdict::None);
  EXPECT_EQ(back.remaining, 3630);
  const TickResult again = schedule.EvaluateTick(CTime(now.GetTime() + 50));
  EXPECT_EQ(again.verdict, TickVerdict::Remind);
  EXPECT_FALSE(again.first) << "one arming has one first reminder";
  // Set forward past the target without ever meeting zero.
  EXPECT_EQ(schedule.EvaluateTick(CTime(now.GetTime() + 4000)).verdict, TickVerdict::Fire);
}

TEST(ShutdownSchedule, ReminderOffNeverReminds) {
  TzGuard zone("UTC");
  const CTime now(1779282000);  // 2026-05-20 13:00:00
  ShutdownSchedule schedule = ArmedAt(now, 13, 0, 30, /*remind=*/0);
  EXPECT_EQ(Str(schedule.m_strInfo), "设定的关机时间是13:00:30,到时直接关闭计算机。");
  for (int at = 0; at < 30; ++at)
    EXPECT_EQ(schedule.EvaluateTick(CTime(now.GetTime() + at)).verdict, TickVerdict::None) << at;
  EXPECT_EQ(schedule.EvaluateTick(CTime(now.GetTime() + 30)).verdict, TickVerdict::Fire);
  EXPECT_FALSE(schedule.m_bReminderShown);
}

TEST(ShutdownSchedule, EntryEqualToNowFiresAtTheFirstTickWithoutReminder) {
  TzGuard zone("UTC");
  const CTime now(1779282000);  // 2026-05-20 13:00:00
  ShutdownSchedule schedule = ArmedAt(now, 13, 0, 0);
  EXPECT_EQ(schedule.EvaluateTick(CTime(now.GetTime() + 1)).verdict, TickVerdict::Fire);
  EXPECT_FALSE(schedule.m_bReminderShown);
}

TEST(ShutdownSchedule, DisarmAndTheClockLine) {
  TzGuard zone("UTC");
  const CTime now(1779282000);  // 2026-05-20 13:00:00
  ShutdownSchedule schedule;
  schedule.Init(now);
  EXPECT_EQ(Str(schedule.FormatClockLine(now)), "现在的时间是 13:00:00, 当前没有设定关机时间。");
  schedule = ArmedAt(now, 13, 0, 30);
  EXPECT_EQ(Str(schedule.FormatClockLine(CTime(now.GetTime() + 1))),
            "现在的时间是 13:00:01, 设定的关机时间是13:00:30,离关机时间60秒将会有提示。");
  schedule.EvaluateTick(CTime(now.GetTime() + 2));
  ASSERT_TRUE(schedule.m_bReminderShown);
  const CTime target = schedule.m_timeShutdown;
  schedule.Disarm();
  EXPECT_FALSE(schedule.m_bArmed);
  EXPECT_FALSE(schedule.m_bReminderShown);
  EXPECT_EQ(schedule.m_timeShutdown, target);
  // The ASCII comma and space of the pattern run straight into the full-width comma.
  EXPECT_EQ(std::string(schedule.FormatClockLine(now)),
            "\xcf\xd6\xd4\xda\xb5\xc4\xca\xb1\xbc\xe4\xca\xc7 13:00:00, \xa3\xac" +
                Str(CString("当前没有设定关机时间")));
}

TEST(ShutdownSchedule, UnrepresentableTargetIsNeverArmedNorFired) {
  TzGuard zone("Asia/Shanghai");
  // 2038-01-19 11:00:00 in Shanghai; the 32-bit range ends at 11:14:07.
  const CTime now(2147482800);
  ShutdownSchedule schedule;
  schedule.Init(now);
  schedule.m_nHour = 11;
  schedule.m_nMinute = 59;
  ASSERT_EQ(schedule.Validate(), EntryField::None);
  EXPECT_EQ(ShutdownSchedule::ComputeTarget(11, 59, 0, now).GetTime(), -1);
  EXPECT_FALSE(schedule.Arm(now));
  EXPECT_FALSE(schedule.m_bArmed);
  EXPECT_EQ(Str(schedule.m_strInfo), "当前没有设定关机时间。");
  // Still in range: 11:14:07 today.
  schedule.m_nMinute = 14;
  schedule.m_nSecond = 7;
  EXPECT_TRUE(schedule.Arm(now));
  EXPECT_EQ(schedule.m_timeShutdown.GetTime(), INT32_MAX);
  // Whatever stores a -1 target, a tick never turns it into an immediate power-off.
  schedule.m_timeShutdown = CTime(-1);
  EXPECT_EQ(schedule.EvaluateTick(now).verdict, TickVerdict::None);
}

TEST(ShutdownSchedule, NoUsableCurrentTime) {
  const CTime none(-1);
  ShutdownSchedule schedule;
  schedule.Init(none);
  EXPECT_EQ(schedule.m_nHour, 0);
  EXPECT_EQ(schedule.m_bRemind, 1);
  EXPECT_EQ(Str(schedule.FormatClockLine(none)), "当前没有设定关机时间。");
  EXPECT_EQ(ShutdownSchedule::ComputeTarget(0, 0, 0, none).GetTime(), -1);
  EXPECT_FALSE(schedule.Arm(none));
}
