#include "ctime.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tz_guard.h"

namespace {
std::string Local(CTime t) { return std::string(t.Format("%Y-%m-%d %H:%M:%S")); }
}  // namespace

TEST(CTime, FieldsCarryIntoTheNextUnit) {
  TzGuard zone("Asia/Shanghai");
  struct Case {
    const char* name;
    int y, mo, d, h, mi, s;
    const char* expected;
  } const cases[] = {
      {"second 60", 2026, 5, 20, 10, 59, 60, "2026-05-20 11:00:00"},
      {"minute 60", 2026, 5, 20, 10, 60, 0, "2026-05-20 11:00:00"},
      {"hour 24", 2026, 5, 20, 24, 0, 0, "2026-05-21 00:00:00"},
      {"31 April", 2026, 4, 31, 8, 0, 0, "2026-05-01 08:00:00"},
      {"29 February, common year", 2026, 2, 29, 8, 0, 0, "2026-03-01 08:00:00"},
      {"29 February, leap year", 2028, 2, 29, 8, 0, 0, "2028-02-29 08:00:00"},
      {"32 December", 2026, 12, 32, 8, 0, 0, "2027-01-01 08:00:00"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Local(CTime(c.y, c.mo, c.d, c.h, c.mi, c.s)), c.expected) << c.name;
}

TEST(CTime, UnrepresentableInstantsBecomeMinusOne) {
  TzGuard zone("UTC");
  EXPECT_EQ(CTime(1970, 1, 1, 0, 0, 0).GetTime(), 0);
  EXPECT_EQ(CTime(1969, 12, 31, 23, 59, 59).GetTime(), -1);
  EXPECT_EQ(CTime(2038, 1, 19, 3, 14, 7).GetTime(), INT32_MAX);
  EXPECT_EQ(CTime(2038, 1, 19, 3, 14, 8).GetTime(), -1);
  EXPECT_EQ(CTime(2100, 1, 1, 0, 0, 0).GetTime(), -1);
}

TEST(CTime, NegativeCountsHaveNoBreakdownAndFormatEmpty) {
  TzGuard zone("UTC");
  std::tm local;
  EXPECT_FALSE(CTime(-1).GetLocalTm(&local));
  EXPECT_FALSE(CTime(INT32_MIN).GetLocalTm(&local));
  EXPECT_TRUE(CTime(-1).Format("现在 %H:%M:%S").IsEmpty());
  ASSERT_TRUE(CTime(0).GetLocalTm(&local));
  EXPECT_EQ(local.tm_year, 70);
}

TEST(CTime, FormatCopiesEveryOtherByte) {
  TzGuard zone("Asia/Shanghai");
  // 1779253200 is 2026-05-20 13:00:00 in Shanghai; single digits get a leading zero.
  const CTime t(1779253200 - 13 * 3600 + 9 * 3600 + 5 * 60 + 7);
  EXPECT_EQ(std::string(t.Format("现在的时间是 %H:%M:%S, ")),
            "\xcf\xd6\xd4\xda\xb5\xc4\xca\xb1\xbc\xe4\xca\xc7 09:05:07, ");
  EXPECT_TRUE(t.Format("").IsEmpty());
}

TEST(CTime, DifferenceIsThePlainCountDifferenceWithoutOverflow) {
  EXPECT_EQ(CTime(100) - CTime(160), -60);
  EXPECT_EQ(CTime(INT32_MAX) - CTime(-1), int64_t{INT32_MAX} + 1);
  EXPECT_EQ(CTime(INT32_MIN) - CTime(INT32_MAX), int64_t{INT32_MIN} - INT32_MAX);
}
