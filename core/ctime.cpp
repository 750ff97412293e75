#include "ctime.h"

#include <cstring>
#include <limits>
#include <string>

CTime CTime::FromTimeT(long long t) {
  if (t < 0 || t > std::numeric_limits<int32_t>::max()) return CTime(-1);
  return CTime(static_cast<int32_t>(t));
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst) {
  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = dst;
  m_time = FromTimeT(static_cast<long long>(std::mktime(&fields))).m_time;
}

CTime CTime::GetCurrentTime() { return FromTimeT(static_cast<long long>(std::time(nullptr))); }

bool CTime::GetLocalTm(std::tm* out) const {
  if (m_time < 0) return false;
  const std::time_t t = m_time;
  const std::tm* local = std::localtime(&t);
  if (!local) return false;
  *out = *local;
  return true;
}

CString CTime::Format(const char* pattern) const {
  std::tm local;
  if (!GetLocalTm(&local) || !*pattern) return CString();
  // strftime reports 0 both for a full buffer and for an empty result; grow until it fits.
  for (size_t size = std::strlen(pattern) * 2 + 64; size < 65536; size *= 2) {
    std::string buffer(size, '\0');
    const size_t written = std::strftime(&buffer[0], size, pattern, &local);
    if (written > 0) return CString(buffer.data(), static_cast<int>(written));
  }
  return CString();
}
