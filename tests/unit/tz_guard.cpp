#include "tz_guard.h"

#include <cstdlib>
#include <ctime>

TzGuard::TzGuard(const char* zone) {
  const char* previous = std::getenv("TZ");
  m_hadZone = previous != nullptr;
  if (previous) m_previous = previous;
  setenv("TZ", zone, 1);
  tzset();
}

TzGuard::~TzGuard() {
  if (m_hadZone)
    setenv("TZ", m_previous.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}
