// CClockDlg in this process, with the clock's own resources: what its handlers do to the window,
// without waiting on the real timer.
#include <windows.h>
#include <gtest/gtest.h>

#include "clock_dlg.h"
#include "gdi_count.h"
#include "resource.h"

namespace {

class ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_clock.Create(IDD_CLOCK_DIALOG));
    ASSERT_NE(m_clock.m_hWnd, nullptr);
  }
  // Processes what is pending, so that nothing of the start-up is left to repaint.
  void Settle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    UpdateWindow(m_clock.m_hWnd);
  }
  RECT Update() const {
    RECT rect{};
    GetUpdateRect(m_clock.m_hWnd, &rect, FALSE);
    return rect;
  }

  CClockDlg m_clock;
};

bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace

TEST_F(ClockWindowTest, EveryTimerTickInvalidatesTheWholeWindow) {
  const RECT whole{0, 0, 146, 146};
  RECT client;
  GetClientRect(m_clock.m_hWnd, &client);
  ASSERT_TRUE(client == whole);
  for (WPARAM id : {WPARAM{100}, WPARAM{7}, WPARAM{65535}}) {
    Settle();
    ValidateRect(m_clock.m_hWnd, nullptr);
    const RECT none = Update();
    ASSERT_TRUE(IsRectEmpty(&none));
    SendMessageW(m_clock.m_hWnd, WM_TIMER, id, 0);
    EXPECT_TRUE(Update() == whole) << "timer id " << id;
  }
}

TEST_F(ClockWindowTest, OnlyPlainKeyPressesAreHeldBack) {
  struct Case {
    UINT message;
    WPARAM key;
    BOOL held;
  } const cases[] = {
      {WM_KEYDOWN, VK_RETURN, TRUE}, {WM_KEYDOWN, VK_ESCAPE, TRUE}, {WM_KEYDOWN, 'A', TRUE},
      {WM_SYSKEYDOWN, VK_F4, FALSE}, {WM_KEYUP, VK_RETURN, FALSE},  {WM_CHAR, 'a', FALSE},
  };
  for (const Case& c : cases) {
    MSG msg{};
    msg.hwnd = m_clock.m_hWnd;
    msg.message = c.message;
    msg.wParam = c.key;
    EXPECT_EQ(m_clock.PreTranslateMessage(&msg), c.held) << c.message << ' ' << c.key;
  }
}

TEST_F(ClockWindowTest, RepaintsLeaveNoGdiObjectBehind) {
  Settle();
  const int before = LiveGdiObjects();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 500; ++i) {
    SendMessageW(m_clock.m_hWnd, WM_TIMER, 100, 0);
    UpdateWindow(m_clock.m_hWnd);
  }
  EXPECT_EQ(LiveGdiObjects(), before);
}
