// Both programs over a long run of repaints and menu openings, driven by posted messages: live GDI
// objects and windows per process, sampled along the way, do not grow.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "harness.h"

namespace {

constexpr int kRepaints = 20000;
constexpr int kMenus = 1000;
constexpr int kSamples = 10;
constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;

struct Sample {
  int gdi, windows;
};

// Opens the menu, waits for it, dismisses it and waits until its window has gone.
void OpenAndDismissMenu(const e2e::Program& program, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
  PostMessageW(window, message, wParam, lParam);
  ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MenuWindows(program.Pid()).empty(); }));
  e2e::PostKey(program.Tid(), VK_ESCAPE);
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::TopLevelWindows(program.Pid(), L"#32768").empty(); }));
}

void Soak(const e2e::Program& program, HWND window, UINT timerId, UINT menuMessage, WPARAM wParam,
          LPARAM lParam, const char* name) {
  std::vector<Sample> samples;
  for (int round = 0; round <= kSamples; ++round) {
    if (round > 0) {
      for (int i = 0; i < kRepaints / kSamples; ++i) PostMessageW(window, WM_TIMER, timerId, 0);
      for (int i = 0; i < kMenus / kSamples - 1; ++i)
        OpenAndDismissMenu(program, window, menuMessage, wParam, lParam);
    }
    // The last menu comes after the posted ticks: once it is up, they have all been handled.
    OpenAndDismissMenu(program, window, menuMessage, wParam, lParam);
    samples.push_back(
        {e2e::SettledGdiObjectsOf(program.Process()), e2e::WindowCountOf(program.Pid())});
  }
  std::printf("%s: GDI objects", name);
  for (const Sample& s : samples) std::printf(" %d", s.gdi);
  std::printf("; windows");
  for (const Sample& s : samples) std::printf(" %d", s.windows);
  std::printf("\n");
  // The first round warms up what the platform keeps once made (menu and text drawing); from then
  // on nothing may grow.
  const Sample& base = samples[1];
  ASSERT_GT(base.gdi, 0);
  for (size_t i = 1; i < samples.size(); ++i) {
    EXPECT_LE(samples[i].gdi, base.gdi) << name << " sample " << i;
    EXPECT_LE(samples[i].windows, base.windows) << name << " sample " << i;
  }
}

TEST(Soak, ClockRepaintsAndContextMenus) {
  ASSERT_TRUE(e2e::PowerOffStubInstalled());
  e2e::Program clock;
  ASSERT_TRUE(clock.Start(L"clock.exe"));
  HWND window = clock.WaitForWindow(L"#32770", L"");
  ASSERT_NE(window, nullptr);
  Soak(clock, window, 100, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(145, 145), "clock");
}

TEST(Soak, VesperClockLineAndTrayMenus) {
  ASSERT_TRUE(e2e::PowerOffStubInstalled());
  e2e::Program vesper;
  ASSERT_TRUE(vesper.Start(L"Vesper.exe"));
  HWND window = vesper.WaitForWindow(L"#32770", L"Horalux2.0");
  ASSERT_NE(window, nullptr);
  Soak(vesper, window, 200, WM_TRAYNOTIFY, 128, WM_RBUTTONDOWN, "Vesper");
}

}  // namespace
