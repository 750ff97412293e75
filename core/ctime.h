// CTime: a signed 32-bit count of seconds since 1970-01-01 00:00:00 UTC.
#pragma once

#include <cstdint>
#include <ctime>

#include "cstring.h"

// <windows.h> maps GetCurrentTime to GetTickCount.
#ifdef GetCurrentTime
#undef GetCurrentTime
#endif

class CTime {
 public:
  CTime() = default;
  explicit CTime(int32_t count) : m_time(count) {}
  // From local calendar fields (month 1-12), through mktime without range tests: out-of-range
  // fields carry into the next unit. An instant outside 0..2^31-1 becomes -1.
  CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);

  // The current time; -1 when the platform's clock is outside the 32-bit range.
  static CTime GetCurrentTime();

  int32_t GetTime() const { return m_time; }
  // Local breakdown; false for a negative count or when the library gives no result.
  bool GetLocalTm(std::tm* out) const;
  // strftime in local time; empty text when the breakdown fails.
  CString Format(const char* pattern) const;

  // The plain difference of the two counts, in 64 bits so that it cannot overflow.
  friend int64_t operator-(CTime a, CTime b) {
    return static_cast<int64_t>(a.m_time) - static_cast<int64_t>(b.m_time);
  }
  friend bool operator==(CTime a, CTime b) { return a.m_time == b.m_time; }
  friend bool operator!=(CTime a, CTime b) { return a.m_time != b.m_time; }

 private:
  static CTime FromTimeT(long long t);

  int32_t m_time = 0;
};
