// End-to-end tests of Vesper's reminder window and notification-area icon.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <string>

#include "vesper_fixture.h"

namespace {

std::wstring ReminderFor(int seconds) {
  return L"计算机将于" + std::to_wstring(seconds) + L"秒后自动关闭?";
}

int SecondsIn(const std::wstring& text) {
  const std::wstring head = L"计算机将于";
  return text.compare(0, head.size(), head) == 0 ? _wtoi(text.c_str() + head.size()) : -1;
}

TEST_F(VesperTest, ReminderOpensAtFiftyNineCentredAndItsCancelReturnsToIdle) {
  ArmIn(61);
  HWND reminder = WaitForReminderShown(4000);
  ASSERT_NE(reminder, nullptr);
  EXPECT_EQ(ReminderText(reminder), ReminderFor(59));
  EXPECT_TRUE(GetWindowLongW(reminder, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  // The template's window styles; the system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(reminder, GWL_STYLE)) & 0xFFFF0000u &
                ~static_cast<DWORD>(WS_VISIBLE | WS_CLIPSIBLINGS),
            0x80C80000u);
  EXPECT_EQ(e2e::Text(GetDlgItem(reminder, IDOK)), L"是的");
  EXPECT_EQ(e2e::Text(GetDlgItem(reminder, IDCANCEL)), L"取消");
  RECT window, area;
  GetWindowRect(reminder, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 2);
  EXPECT_TRUE(e2e::WaitFor([&] { return ReminderText(reminder) == ReminderFor(58); }, 2500));

  PostMessageW(GetDlgItem(reminder, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(reminder); }));
  ExpectIdle(L"确定");
  EXPECT_TRUE(IsWindow(reminder)) << "put away, not destroyed";
}

TEST_F(VesperTest, ReminderCountsDownToThePowerOff) {
  const long long target = time(nullptr) + 4;
  ArmIn(4);
  HWND reminder = WaitForReminderShown(3000);
  ASSERT_NE(reminder, nullptr);
  const int first = SecondsIn(ReminderText(reminder));
  EXPECT_GE(first, 1);
  EXPECT_LE(first, 3);
  EXPECT_TRUE(e2e::WaitFor(
      [&] { return SecondsIn(ReminderText(reminder)) == first - 1 || PoweredOff(); }, 2500));
  ASSERT_TRUE(e2e::WaitFor([&] { return PoweredOff(); }, 4000));
  const long long at = std::stoll(e2e::ReadPowerOffLog(m_vesper.PowerOffLog())[0]);
  EXPECT_GE(at, target * 1000);
  EXPECT_LT(at, target * 1000 + 2000);
  EXPECT_EQ(ReminderText(reminder), ReminderFor(1)) << "the window keeps its last text";
}

TEST_F(VesperTest, WithoutTheReminderNoWindowOpens) {
  ArmIn(2, /*remind=*/false);
  ASSERT_TRUE(e2e::WaitFor([&] { return PoweredOff(); }, 4000));
  EXPECT_EQ(Reminder(), nullptr);
}

TEST_F(VesperTest, YesPutsTheReminderAwayForTheRestOfTheArming) {
  const struct {
    const char* how;
    bool key;
  } ways[] = {{"Enter", true}, {"the button", false}};
  for (const auto& way : ways) {
    SCOPED_TRACE(way.how);
    if (m_main == nullptr || !m_vesper.Running()) StartVesper();
    ArmIn(4);
    HWND reminder = WaitForReminderShown(3000);
    ASSERT_NE(reminder, nullptr);
    if (way.key) {
      ASSERT_TRUE(
          e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == GetDlgItem(reminder, IDOK); }));
      e2e::PostKey(m_vesper.Tid(), VK_RETURN);
    } else {
      PostMessageW(GetDlgItem(reminder, IDOK), BM_CLICK, 0, 0);
    }
    ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(reminder); }));
    // Hidden until the power-off, which comes on time; the text goes on being updated.
    ASSERT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(reminder) || PoweredOff(); }, 5000));
    EXPECT_FALSE(IsWindowVisible(reminder));
    EXPECT_TRUE(PoweredOff());
    EXPECT_EQ(ReminderText(reminder), ReminderFor(1));
    m_vesper.Kill();
    m_main = nullptr;
  }
}

TEST_F(VesperTest, EscInTheReminderCancelsTheSchedule) {
  ArmIn(30);
  HWND reminder = WaitForReminderShown(3000);
  ASSERT_NE(reminder, nullptr);
  ASSERT_TRUE(
      e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == GetDlgItem(reminder, IDOK); }));
  e2e::PostKey(m_vesper.Tid(), VK_ESCAPE);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(reminder); }));
  ExpectIdle(L"确定");
  EXPECT_TRUE(m_vesper.Running()) << "Esc in the reminder does not end the program";
}

TEST_F(VesperTest, TheReminderCannotBeClosed) {
  ArmIn(30);
  HWND reminder = WaitForReminderShown(3000);
  ASSERT_NE(reminder, nullptr);
  SendMessageW(reminder, WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box
  SendMessageW(reminder, WM_CLOSE, 0, 0);              // Alt+F4 comes to this
  EXPECT_TRUE(IsWindowVisible(reminder));
  ExpectArmed();
}

TEST_F(VesperTest, CancelInTheMainWindowPutsTheReminderAwayAndTheNextArmingReusesIt) {
  ArmIn(30);
  HWND reminder = WaitForReminderShown(3000);
  ASSERT_NE(reminder, nullptr);
  Press(IDOK);  // the main window's cancel
  ExpectIdle(L"确定");
  EXPECT_FALSE(IsWindowVisible(reminder)) << "no stale reminder whose cancel would arm again";

  ArmIn(20);
  HWND again = WaitForReminderShown(3000);
  EXPECT_EQ(again, reminder) << "the window is reused";
  const int seconds = SecondsIn(ReminderText(reminder));
  EXPECT_GE(seconds, 17);
  EXPECT_LE(seconds, 19);
  Press(IDOK);
}

TEST_F(VesperTest, ReminderShowsWhileTheMainWindowIsHidden) {
  Enter(LocalIn(20));
  Press(IDC_BUTTON_HIDE);
  SendMessageW(Item(IDC_CHECK_REMIND), BM_SETCHECK, BST_CHECKED, 0);
  Press(IDOK);  // the hidden window's button, as the toggle would press it
  ExpectArmed();
  HWND reminder = WaitForReminderShown(3000);
  ASSERT_NE(reminder, nullptr);
  EXPECT_FALSE(IsWindowVisible(m_main));
}

// ---- the notification-area icon

TEST_F(VesperTest, TrayIconWithItsTip) {
  EXPECT_TRUE(e2e::TrayIconExists(m_main, kTrayIconId));
  const std::vector<std::wstring> tips = e2e::TrayTips();
  EXPECT_EQ(std::count(tips.begin(), tips.end(), L"Horalux"), 1);
}

TEST_F(VesperTest, TrayCallbackDispatch) {
  struct Case {
    const char* name;
    WPARAM id;
    LPARAM mouse;
    bool shows;
    bool menu;
  } const cases[] = {
      {"double click", kTrayIconId, WM_LBUTTONDBLCLK, true, false},
      {"double click, other icon", kTrayIconId + 1, WM_LBUTTONDBLCLK, false, false},
      {"right press, other icon", 7, WM_RBUTTONDOWN, false, false},
      {"left click", kTrayIconId, WM_LBUTTONDOWN, false, false},
      {"left release", kTrayIconId, WM_LBUTTONUP, false, false},
      {"right release", kTrayIconId, WM_RBUTTONUP, false, false},
      {"mouse move", kTrayIconId, WM_MOUSEMOVE, false, false},
      {"right press", kTrayIconId, WM_RBUTTONDOWN, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Press(IDC_BUTTON_HIDE);
    ASSERT_FALSE(IsWindowVisible(m_main));
    if (c.menu) {
      // The menu runs its own loop inside the handler: post, and dismiss it without a choice.
      PostMessageW(m_main, WM_TRAYNOTIFY, c.id, c.mouse);
      ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MenuWindows(m_vesper.Pid()).empty(); }));
      e2e::PostKey(m_vesper.Tid(), VK_ESCAPE);
      ASSERT_TRUE(e2e::WaitFor([&] { return e2e::MenuWindows(m_vesper.Pid()).empty(); }));
    } else {
      SendMessageW(m_main, WM_TRAYNOTIFY, c.id, c.mouse);  // handled when this returns
      EXPECT_TRUE(e2e::MenuWindows(m_vesper.Pid()).empty());
    }
    EXPECT_EQ(IsWindowVisible(m_main) != FALSE, c.shows);
  }
  EXPECT_TRUE(m_vesper.Running());
}

TEST_F(VesperTest, TrayIconBringsTheWindowBack) {
  const std::vector<HWND> icons = e2e::TrayIconWindows();
  ASSERT_EQ(icons.size(), 1u);
  // Double click on the icon itself.
  Press(IDC_BUTTON_HIDE);
  PostMessageW(icons[0], WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 8));
  EXPECT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(m_main) != FALSE; }));
  // The menu's "显示", chosen with the keyboard; the menu is loaded afresh each time.
  for (int round = 0; round < 2; ++round) {
    Press(IDC_BUTTON_HIDE);
    PostMessageW(icons[0], WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
    ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MenuWindows(m_vesper.Pid()).empty(); }));
    e2e::PostKey(m_vesper.Tid(), VK_DOWN);
    e2e::PostKey(m_vesper.Tid(), VK_RETURN);
    EXPECT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(m_main) != FALSE; })) << round;
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::MenuWindows(m_vesper.Pid()).empty(); }));
  }
}

TEST_F(VesperTest, TrayExitEndsAnArmedProgramAndTheIconGoes) {
  ArmIn(3600);
  Press(IDC_BUTTON_HIDE);
  PostMessageW(m_main, WM_TRAYNOTIFY, kTrayIconId, WM_RBUTTONDOWN);
  ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MenuWindows(m_vesper.Pid()).empty(); }));
  e2e::PostKey(m_vesper.Tid(), VK_DOWN);
  e2e::PostKey(m_vesper.Tid(), VK_DOWN);
  e2e::PostKey(m_vesper.Tid(), VK_RETURN);
  EXPECT_TRUE(m_vesper.WaitForExit());
  EXPECT_FALSE(e2e::TrayIconExists(m_main, kTrayIconId));
  EXPECT_FALSE(PoweredOff());
}

TEST_F(VesperTest, TheIconGoesWithEveryWayOfEnding) {
  struct Way {
    const char* name;
    std::function<void()> end;
  } const ways[] = {
      {"exit button", [this] { PressAsync(IDCANCEL); }},
      {"Esc", [this] { e2e::PostKey(m_vesper.Tid(), VK_ESCAPE); }},
      {"close box", [this] { PostMessageW(m_main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"tray exit command", [this] { PostMessageW(m_main, WM_COMMAND, ID_TRAY_EXIT, 0); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    if (!m_vesper.Running()) StartVesper();
    ASSERT_TRUE(e2e::TrayIconExists(m_main, kTrayIconId));
    way.end();
    ASSERT_TRUE(m_vesper.WaitForExit());
    EXPECT_FALSE(e2e::TrayIconExists(m_main, kTrayIconId));
    EXPECT_EQ(std::count(e2e::TrayTips().begin(), e2e::TrayTips().end(), L"Horalux"), 0);
    m_vesper.Kill();
  }
}

TEST_F(VesperTest, TheIconComesBackWhenTheShellRestarts) {
  // What a shell restart does to the icons: gone, then TaskbarCreated for everyone.
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = m_main;
  data.uID = kTrayIconId;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
  ASSERT_FALSE(e2e::TrayIconExists(m_main, kTrayIconId));
  SendMessageW(m_main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(e2e::TrayIconExists(m_main, kTrayIconId));
  const std::vector<std::wstring> tips = e2e::TrayTips();
  EXPECT_EQ(std::count(tips.begin(), tips.end(), L"Horalux"), 1);
}

}  // namespace
