#include "int_reader.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {
constexpr size_t kMaxBytes = 31;

const char* SkipBlanks(const char* p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}
}  // namespace

bool ReadIntegerField(const char* text, int32_t* value) {
  char buffer[kMaxBytes + 1];
  std::strncpy(buffer, text, kMaxBytes);
  buffer[kMaxBytes] = '\0';

  const char* start = SkipBlanks(buffer);
  const char first = *start;
  char* end = nullptr;
  long long result = std::strtoll(start, &end, 10);
  // strtol saturates at the platform's long; the rule saturates at 32 bits whatever long is.
  if (result > INT32_MAX) result = INT32_MAX;
  if (result < INT32_MIN) result = INT32_MIN;
  if (result == 0 && first != '0') return false;
  if (*SkipBlanks(end) != '\0') return false;
  *value = static_cast<int32_t>(result);
  return true;
}
