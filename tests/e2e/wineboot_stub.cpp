// Stands in for Wine's wineboot.exe during the tests: the system's power-off request starts
// "wineboot.exe --kill --shutdown", which would end every process of the Wine session. This stub
// only appends the moment (Unix milliseconds) and its command line to the file named by
// HORALUX_POWEROFF_LOG.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

extern const char kStubMarker[] = "HoraluxWinebootStub";

int main() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const unsigned long long ticks =
      (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const long long unixMs = static_cast<long long>(ticks / 10000ULL) - 11644473600000LL;
  const char* log = std::getenv("HORALUX_POWEROFF_LOG");
  if (!log || !*log) return 0;
  FILE* out = std::fopen(log, "a");
  if (!out) return 1;
  std::fprintf(out, "%lld %s [%s]\n", unixMs, GetCommandLineA(), kStubMarker);
  return std::fclose(out) == 0 ? 0 : 1;
}
