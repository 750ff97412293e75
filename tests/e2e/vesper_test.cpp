// End-to-end tests of the shipped Vesper.exe.
#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "vesper_fixture.h"

namespace {

TEST_F(VesperTest, StartState) {
  const TimeOfDay shown{_wtoi(e2e::Text(Item(IDC_EDIT_HOUR)).c_str()),
                        _wtoi(e2e::Text(Item(IDC_EDIT_MINUTE)).c_str()),
                        _wtoi(e2e::Text(Item(IDC_EDIT_SECOND)).c_str())};
  // The fields show the time of day at which the window opened, without leading zeros.
  bool matched = false;
  for (int back = 0; back <= 10 && !matched; ++back) {
    const TimeOfDay t = LocalIn(-back);
    matched = t.h == shown.h && t.m == shown.m && t.s == shown.s;
  }
  EXPECT_TRUE(matched) << shown.h << ':' << shown.m << ':' << shown.s;
  EXPECT_EQ(e2e::Text(Item(IDC_EDIT_SECOND)), std::to_wstring(shown.s));
  EXPECT_TRUE(e2e::IsChecked(Item(IDC_CHECK_REMIND)));
  ExpectIdle(L"执行");
  EXPECT_EQ(InfoOf(Status()), kIdleText);
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == Item(IDOK); }));

  // The window: caption, styles, taskbar button, centred in the work area.
  EXPECT_EQ(e2e::Text(m_main), L"Horalux2.0");
  const LONG style = GetWindowLongW(m_main, GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongW(m_main, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  RECT window, area;
  GetWindowRect(m_main, &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((window.left + window.right) / 2, (area.left + area.right) / 2, 2);
  EXPECT_NEAR((window.top + window.bottom) / 2, (area.top + area.bottom) / 2, 2);
}

TEST_F(VesperTest, StatusLineTicksEverySecond) {
  const std::wstring first = Status();
  EXPECT_TRUE(e2e::WaitFor([&] { return Status() != first; }, 2500));
  EXPECT_EQ(InfoOf(Status()), kIdleText);
  // The clock part is the current local time.
  const TimeOfDay now = LocalIn(0);
  const std::wstring clock = Status().substr(kClockPrefix.size(), 8);
  const TimeOfDay before = LocalIn(-1);
  EXPECT_TRUE(clock == Two(now.h) + L":" + Two(now.m) + L":" + Two(now.s) ||
              clock == Two(before.h) + L":" + Two(before.m) + L":" + Two(before.s))
      << clock;
}

TEST_F(VesperTest, TextThatDoesNotReadIsAnsweredByTheMessage) {
  struct Case {
    const wchar_t *h, *m, *s;
    int field;
  } const cases[] = {
      {L"x", L"0", L"0", IDC_EDIT_HOUR},
      {L"", L"0", L"0", IDC_EDIT_HOUR},
      {L"7.5", L"0", L"0", IDC_EDIT_HOUR},
      {L"-0", L"0", L"0", IDC_EDIT_HOUR},
      {L"１", L"0", L"0", IDC_EDIT_HOUR},
      {L"1", L"7:", L"0", IDC_EDIT_MINUTE},
      {L"1", L"1", L"+0", IDC_EDIT_SECOND},
      // Reading comes before validation: the hour out of range is not reported.
      {L"25", L"x", L"0", IDC_EDIT_MINUTE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "field " << c.field);
    Enter(c.h, c.m, c.s);
    PressAsync(IDOK);
    HWND box = e2e::WaitForOwnedDialog(m_main);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(e2e::MessageBoxText(box), L"请键入一个整数。");
    EXPECT_EQ(e2e::Text(box), L"Vesper");
    EXPECT_FALSE(IsWindowEnabled(m_main)) << "the box is modal to the main window";
    e2e::PressOk(box);
    ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
    ExpectFocusAndFullSelection(c.field);
    ExpectIdle(L"执行");
    EXPECT_EQ(InfoOf(Status()), kIdleText);
  }
}

TEST_F(VesperTest, ValueOutOfRangeGetsFocusAndSelectionWithoutMessage) {
  struct Case {
    const wchar_t *h, *m, *s;
    int field;
  } const cases[] = {
      {L"24", L"0", L"0", IDC_EDIT_HOUR},     {L"-1", L"0", L"0", IDC_EDIT_HOUR},
      {L"23", L"61", L"0", IDC_EDIT_MINUTE},  {L"24", L"61", L"0", IDC_EDIT_HOUR},
      {L"23", L"60", L"61", IDC_EDIT_SECOND},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.h << ':' << c.m << ':' << c.s);
    Enter(c.h, c.m, c.s);
    Press(IDOK);
    EXPECT_EQ(e2e::FindOwnedDialog(m_main), nullptr);
    ExpectFocusAndFullSelection(c.field);
    ExpectIdle(L"执行");
  }
}

TEST_F(VesperTest, ArmAndCancel) {
  const TimeOfDay later = LocalIn(2 * 3600);
  // Minute 60 is accepted and shown normalised.
  e2e::SetText(Item(IDC_EDIT_HOUR), std::to_wstring(later.h));
  e2e::SetText(Item(IDC_EDIT_MINUTE), L"60");
  e2e::SetText(Item(IDC_EDIT_SECOND), L"0");
  Press(IDOK);
  ExpectArmed();
  EXPECT_EQ(InfoOf(Status()),
            L"设定的关机时间是" + Two((later.h + 1) % 24) + L":00:00,离关机时间60秒将会有提示。");
  EXPECT_EQ(e2e::Text(Item(IDC_EDIT_MINUTE)), L"60") << "the fields keep their text";

  Press(IDOK);
  ExpectIdle(L"确定");
  // The line is refreshed before the cancel, so it shows the new text from the next tick on.
  EXPECT_NE(InfoOf(Status()), kCancelledText);
  EXPECT_TRUE(e2e::WaitFor([&] { return InfoOf(Status()) == kCancelledText; }, 2500));

  // Without the reminder: the other suffix, and the box is read back.
  SendMessageW(Item(IDC_CHECK_REMIND), BM_SETCHECK, BST_UNCHECKED, 0);
  Enter(later);
  Press(IDOK);
  ExpectArmed();
  EXPECT_EQ(InfoOf(Status()), L"设定的关机时间是" + Two(later.h) + L":" + Two(later.m) + L":" +
                                  Two(later.s) + L",到时直接关闭计算机。");
}

TEST_F(VesperTest, EnterTogglesAndEscEnds) {
  Enter(LocalIn(3 * 3600));
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == Item(IDOK); }));
  e2e::PostKey(m_vesper.Tid(), VK_RETURN);
  ASSERT_TRUE(e2e::WaitFor([&] { return Button() == L"取消"; }));
  ExpectArmed();
  e2e::PostKey(m_vesper.Tid(), VK_RETURN);
  ASSERT_TRUE(e2e::WaitFor([&] { return Button() == L"确定"; }));
  ExpectIdle(L"确定");

  // With the focus on "隐藏", Enter presses that button instead.
  PostMessageW(m_main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_BUTTON_HIDE)), TRUE);
  ASSERT_TRUE(e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == Item(IDC_BUTTON_HIDE); }));
  e2e::PostKey(m_vesper.Tid(), VK_RETURN);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindowVisible(m_main); }));
  EXPECT_EQ(Button(), L"确定");

  SendMessageW(m_main, WM_VESPER_TOGGLE, 0, 0);  // visible and armed again
  ASSERT_TRUE(IsWindowVisible(m_main));
  ExpectArmed();
  e2e::PostKey(m_vesper.Tid(), VK_ESCAPE);
  EXPECT_TRUE(m_vesper.WaitForExit());
}

TEST_F(VesperTest, CloseBoxEnds) {
  PostMessageW(m_main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(m_vesper.WaitForExit());
}

TEST_F(VesperTest, ExitButtonEndsWhileArmed) {
  Enter(LocalIn(3600));
  Press(IDOK);
  ExpectArmed();
  PressAsync(IDCANCEL);
  EXPECT_TRUE(m_vesper.WaitForExit());
}

TEST_F(VesperTest, SystemMenuAboutDoesNothing) {
  // Were a box to open, the send would not come back before its time-out.
  DWORD_PTR result = 0;
  EXPECT_TRUE(
      SendMessageTimeoutW(m_main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0, SMTO_ABORTIFHUNG, 2000, &result));
  EXPECT_EQ(e2e::FindOwnedDialog(m_main), nullptr);
  EXPECT_TRUE(m_vesper.Running());
}

TEST_F(VesperTest, HiddenWindowKeepsCountingAndToggleShowsIt) {
  Press(IDC_BUTTON_HIDE);
  EXPECT_FALSE(IsWindowVisible(m_main));
  const std::wstring before = Status();
  EXPECT_TRUE(e2e::WaitFor([&] { return Status() != before; }, 2500)) << "the line ticks on";

  // Toggle on a hidden, idle window: shown, then the fields are read and validated.
  e2e::SetText(Item(IDC_EDIT_HOUR), L"24");
  SendMessageW(m_main, WM_VESPER_TOGGLE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(m_main));
  ExpectIdle(L"执行");
  ExpectFocusAndFullSelection(IDC_EDIT_HOUR);

  Enter(LocalIn(3600));
  Press(IDC_BUTTON_HIDE);
  SendMessageW(m_main, WM_VESPER_TOGGLE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(m_main));
  ExpectArmed();
  Press(IDC_BUTTON_HIDE);
  SendMessageW(m_main, WM_VESPER_TOGGLE, 0, 0);
  EXPECT_TRUE(IsWindowVisible(m_main));
  ExpectIdle(L"确定");
}

TEST_F(VesperTest, PowerOffIsRequestedOnTime) {
  // Far enough ahead that the entry cannot be overtaken while it is typed.
  const long long target = time(nullptr) + 3;
  const TimeOfDay t = LocalIn(target - time(nullptr));
  SendMessageW(Item(IDC_CHECK_REMIND), BM_SETCHECK, BST_UNCHECKED, 0);
  Enter(t);
  Press(IDOK);
  ExpectArmed();
  ASSERT_TRUE(e2e::ReadPowerOffLog(m_vesper.PowerOffLog()).empty());
  ASSERT_TRUE(
      e2e::WaitFor([&] { return !e2e::ReadPowerOffLog(m_vesper.PowerOffLog()).empty(); }, 6000));
  const std::vector<std::string> requests = e2e::ReadPowerOffLog(m_vesper.PowerOffLog());
  ASSERT_EQ(requests.size(), 1u);
  const long long at = std::stoll(requests[0]);
  EXPECT_GE(at, target * 1000) << "not before the target second";
  EXPECT_LT(at, target * 1000 + 2000) << "within the tick that reaches the target";
  // EWX_FORCE: every process is killed, none is asked.
  EXPECT_NE(requests[0].find("--kill"), std::string::npos) << requests[0];
  EXPECT_NE(requests[0].find("--shutdown"), std::string::npos) << requests[0];
  EXPECT_EQ(e2e::FindOwnedDialog(m_main), nullptr) << "a successful request shows nothing";
}

TEST_F(VesperTest, BadInputIsAnsweredAndKeptAsTyped) {
  struct Case {
    const char* name;
    std::wstring text;
    bool message;  // otherwise the value reads and is out of range: a beep
  } const cases[] = {
      {"10,000 letters", std::wstring(10000, L'x'), true},
      {"10,000 digits", std::wstring(10000, L'9'), false},
      {"outside code page 936", L"\U0001F600", true},
      {"Hangul", L"\uD55C", true},
      {"control character", L"7\x07", true},
      {"escape and digits", L"\x1B12", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    e2e::SetText(Item(IDC_EDIT_HOUR), c.text);
    if (c.message) {
      PressAsync(IDOK);
      HWND box = e2e::WaitForOwnedDialog(m_main);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(e2e::MessageBoxText(box), L"请键入一个整数。");
      e2e::PressOk(box);
      ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
    } else {
      Press(IDOK);
      EXPECT_EQ(e2e::FindOwnedDialog(m_main), nullptr);
    }
    ExpectFocusAndFullSelection(IDC_EDIT_HOUR);
    ExpectIdle(L"执行");
    EXPECT_EQ(static_cast<size_t>(e2e::TextLength(Item(IDC_EDIT_HOUR))), c.text.size());
    EXPECT_TRUE(m_vesper.Running());
  }
}

// Vesper started with a token of our making, so that Wine's real calls fail.
class VesperTokenTest : public VesperTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(e2e::PowerOffStubInstalled());
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &m_token));
  }
  void TearDown() override {
    if (m_token) CloseHandle(m_token);
  }

  // Arms two seconds ahead and returns the failure message box once the target has come.
  HWND ArmAndWaitForTheMessage() {
    SendMessageW(Item(IDC_CHECK_REMIND), BM_SETCHECK, BST_UNCHECKED, 0);
    Enter(LocalIn(2));
    Press(IDOK);
    EXPECT_EQ(Button(), L"取消");
    return e2e::WaitForOwnedDialog(m_main, 6000);
  }

  // After the failure: armed, no countdown running (no second attempt), and cancel still works.
  void ExpectFiredAndCancellable() {
    ExpectArmed();
    EXPECT_TRUE(e2e::ReadPowerOffLog(m_vesper.PowerOffLog()).empty());
    const std::wstring line = Status();
    ASSERT_TRUE(e2e::WaitFor([&] { return Status() != line; }, 2500)) << "the line ticks on";
    EXPECT_EQ(e2e::FindOwnedDialog(m_main), nullptr) << "no second attempt";
    Press(IDOK);
    ExpectIdle(L"确定");
  }

  HANDLE m_token = nullptr;
};

TEST_F(VesperTokenTest, WithoutTheShutdownPrivilegeTheEnableFails) {
  LUID_AND_ATTRIBUTES shutdown{};
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &shutdown.Luid));
  HANDLE restricted = nullptr;
  ASSERT_TRUE(CreateRestrictedToken(m_token, 0, 0, nullptr, 1, &shutdown, 0, nullptr, &restricted));
  e2e::LaunchOptions options;
  options.token = restricted;
  StartVesper(options);
  CloseHandle(restricted);
  ASSERT_NE(m_main, nullptr);

  HWND box = ArmAndWaitForTheMessage();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), L"AdjustTokenPrivileges enable failed.");
  EXPECT_EQ(e2e::Text(box), L"Vesper");
  e2e::PressOk(box);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
  ExpectFiredAndCancellable();
}

TEST_F(VesperTokenTest, ATokenThatCannotBeOpenedIsReported) {
  e2e::LaunchOptions options;
  options.suspended = true;
  StartVesper(options);
  HANDLE token = nullptr;
  ASSERT_TRUE(OpenProcessToken(m_vesper.Process(), WRITE_DAC | READ_CONTROL, &token));
  ACL acl;
  ASSERT_TRUE(InitializeAcl(&acl, sizeof acl, ACL_REVISION));
  SECURITY_DESCRIPTOR sd;
  ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
  ASSERT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, &acl, FALSE));
  ASSERT_TRUE(SetKernelObjectSecurity(token, DACL_SECURITY_INFORMATION, &sd));
  CloseHandle(token);
  m_vesper.Resume();
  FindMainWindow();

  HWND box = ArmAndWaitForTheMessage();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), L"OpenProcessToken failed.");
  e2e::PressOk(box);
  ASSERT_TRUE(e2e::WaitFor([&] { return !IsWindow(box); }));
  ExpectFiredAndCancellable();
}

// Run once more under a non-Chinese locale (HORALUX_EXPECT_ACP names the ANSI code page expected):
// the texts are converted from code page 936 explicitly, whatever the system's code page.
TEST_F(VesperTest, TextsReadRightWhateverTheAnsiCodePage) {
  wchar_t expected[16];
  if (GetEnvironmentVariableW(L"HORALUX_EXPECT_ACP", expected, 16)) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(_wtoi(expected)));
  }
  EXPECT_EQ(InfoOf(Status()), kIdleText);
  EXPECT_EQ(Button(), L"执行");
  e2e::SetText(Item(IDC_EDIT_HOUR), L"时");
  PressAsync(IDOK);
  HWND box = e2e::WaitForOwnedDialog(m_main);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::MessageBoxText(box), L"请键入一个整数。");
  EXPECT_EQ(e2e::Text(box), L"Vesper");
  e2e::PressOk(box);
  ExpectFocusAndFullSelection(IDC_EDIT_HOUR);
  EXPECT_EQ(e2e::Text(Item(IDC_EDIT_HOUR)), L"时") << "the field keeps what was typed";
}

}  // namespace
