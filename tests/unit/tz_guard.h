// Runs a test in a given time zone and restores the previous one afterwards.
#pragma once

#include <string>

class TzGuard {
 public:
  explicit TzGuard(const char* zone);
  ~TzGuard();
  TzGuard(const TzGuard&) = delete;
  TzGuard& operator=(const TzGuard&) = delete;

 private:
  bool m_hadZone;
  std::string m_previous;
};
