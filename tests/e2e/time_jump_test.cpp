// The wall clock moved under running programs (the time shim preloaded into this test and every
// program it starts): the scheduler and the clock follow it.
#include <windows.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

#include "vesper_fixture.h"

namespace {

long long g_offset = 0;

// Sets the shim's offset, in seconds, for every process of the test at once, and checks that this
// process's own clock has moved by it.
void SetClockOffset(long long seconds) {
  const long long before = time(nullptr) - g_offset;
  const char* file = std::getenv("HORALUX_TIME_OFFSET_FILE");
  ASSERT_NE(file, nullptr) << "run under the time shim";
  const std::string path = std::string("Z:") + file;
  HANDLE out =
      CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(out, INVALID_HANDLE_VALUE) << path;
  const std::string text = std::to_string(seconds);
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(out);
  g_offset = seconds;
  EXPECT_NEAR(static_cast<double>(time(nullptr) - before), static_cast<double>(seconds), 2)
      << "the shim does not move the clock";
}

class TimeJumpTest : public VesperTest {
 protected:
  void SetUp() override {
    SetClockOffset(0);
    VesperTest::SetUp();
  }
  void TearDown() override { SetClockOffset(0); }
};

std::wstring ClockOf(const std::wstring& line) { return line.substr(kClockPrefix.size(), 8); }

std::wstring Hms(const TimeOfDay& t) { return Two(t.h) + L":" + Two(t.m) + L":" + Two(t.s); }

TEST_F(TimeJumpTest, SetForwardPastTheTargetPowersOffAtTheNextTick) {
  ArmIn(3600, /*remind=*/false);
  SetClockOffset(3600 + 30);
  EXPECT_TRUE(e2e::WaitFor([&] { return PoweredOff(); }, 2500));
}

TEST_F(TimeJumpTest, SetBackAnHourGoesOnCountingWithTheNewTime) {
  ArmIn(4, /*remind=*/false);
  SetClockOffset(-3600);
  // The line shows the time an hour back at its next tick.
  EXPECT_TRUE(e2e::WaitFor(
      [&] {
        const std::wstring clock = ClockOf(Status());
        return clock == Hms(LocalIn(0)) || clock == Hms(LocalIn(-1));
      },
      2500))
      << ClockOf(Status());
  EXPECT_EQ(InfoOf(Status()).find(L"设定的关机时间是"), 0u) << "still armed";
  // The target is an hour away again: no power-off when its moment passes.
  EXPECT_FALSE(e2e::WaitFor([&] { return PoweredOff(); }, 6000));
  ExpectArmed();
}

// The clock's hour hand: dark pixels along its direction, a little way out from the hub.
bool HourHandAt(HWND clock, double degrees) {
  RECT rect;
  GetWindowRect(clock, &rect);
  const double radians = degrees * 3.14159265358979 / 180;
  HDC screen = GetDC(nullptr);
  int dark = 0;
  for (double r : {12.0, 16.0, 20.0}) {
    const int x = rect.left + 73 + static_cast<int>(std::lround(std::sin(radians) * r));
    const int y = rect.top + 73 - static_cast<int>(std::lround(std::cos(radians) * r));
    if (GetPixel(screen, x, y) == RGB(60, 60, 60)) ++dark;
  }
  ReleaseDC(nullptr, screen);
  return dark == 3;
}

double HourAngle(const TimeOfDay& t) { return (t.h % 12) * 30 + t.m / 2; }

TEST(ClockTimeJump, TheClockShowsTheShiftedTimeAtItsNextRepaint) {
  SetClockOffset(0);
  SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5);
  e2e::Program clock;
  ASSERT_TRUE(clock.Start(L"clock.exe"));
  HWND window = clock.WaitForWindow(L"#32770", L"");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return HourHandAt(window, HourAngle(LocalIn(0))); }, 3000));
  SetClockOffset(4 * 3600);  // the hour hand turns by 120 degrees
  EXPECT_TRUE(e2e::WaitFor([&] { return HourHandAt(window, HourAngle(LocalIn(0))); }, 1500));
  SetClockOffset(0);
}

}  // namespace
