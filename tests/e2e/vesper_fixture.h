// The fixture of the end-to-end tests of Vesper.exe: one scheduler per test, its controls and
// states.
#pragma once

#include <gtest/gtest.h>

#include <ctime>
#include <string>

#include "harness.h"
#include "resource.h"

constexpr UINT WM_VESPER_TOGGLE = WM_USER + 101;
constexpr UINT WM_TRAYNOTIFY = WM_APP + 100;
constexpr UINT kTrayIconId = 128;

inline const std::wstring kClockPrefix = L"现在的时间是 ";
inline const std::wstring kIdleText = L"当前没有设定关机时间。";
inline const std::wstring kCancelledText = L"，当前没有设定关机时间";

struct TimeOfDay {
  int h, m, s;
};

// The local time of day `ahead` seconds from now.
inline TimeOfDay LocalIn(long long ahead) {
  const time_t t = static_cast<time_t>(time(nullptr) + ahead);
  const tm* local = localtime(&t);
  return {local->tm_hour, local->tm_min, local->tm_sec};
}

inline std::wstring Two(int n) {
  wchar_t buffer[8];
  swprintf(buffer, 8, L"%02d", n);
  return buffer;
}

// "现在的时间是 HH:MM:SS, " followed by the info text; returns the info text or "<bad>".
inline std::wstring InfoOf(const std::wstring& line) {
  if (line.compare(0, kClockPrefix.size(), kClockPrefix) != 0) return L"<bad>";
  const std::wstring rest = line.substr(kClockPrefix.size());
  if (rest.size() < 10 || rest[2] != L':' || rest[5] != L':' || rest.compare(8, 2, L", ") != 0)
    return L"<bad>";
  for (int i : {0, 1, 3, 4, 6, 7})
    if (rest[i] < L'0' || rest[i] > L'9') return L"<bad>";
  return rest.substr(10);
}

class VesperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(e2e::PowerOffStubInstalled())
        << "system32\\wineboot.exe must be the test stub: a power-off would end the session";
    StartVesper();
  }

  void StartVesper(const e2e::LaunchOptions& options = e2e::LaunchOptions()) {
    ASSERT_TRUE(m_vesper.Start(L"Vesper.exe", options));
    if (options.suspended) return;
    FindMainWindow();
  }

  void FindMainWindow() {
    m_main = m_vesper.WaitForWindow(L"#32770", L"Horalux2.0");
    ASSERT_NE(m_main, nullptr);
    ASSERT_TRUE(e2e::WaitFor([&] { return !Status().empty(); }));
  }

  HWND Item(int id) const { return GetDlgItem(m_main, id); }
  std::wstring Status() const { return e2e::Text(Item(IDC_STATIC_INFO)); }
  std::wstring Button() const { return e2e::Text(Item(IDOK)); }

  void Enter(const TimeOfDay& t) {
    e2e::SetText(Item(IDC_EDIT_HOUR), std::to_wstring(t.h));
    e2e::SetText(Item(IDC_EDIT_MINUTE), std::to_wstring(t.m));
    e2e::SetText(Item(IDC_EDIT_SECOND), std::to_wstring(t.s));
  }
  void Enter(const wchar_t* h, const wchar_t* m, const wchar_t* s) {
    e2e::SetText(Item(IDC_EDIT_HOUR), h);
    e2e::SetText(Item(IDC_EDIT_MINUTE), m);
    e2e::SetText(Item(IDC_EDIT_SECOND), s);
  }
  // Presses a button and returns once its handler has run (unless it opens a modal box).
  void Press(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  void PressAsync(int id) { PostMessageW(Item(id), BM_CLICK, 0, 0); }

  void ExpectIdle(const wchar_t* caption) {
    EXPECT_EQ(Button(), caption);
    for (int id : {IDC_EDIT_HOUR, IDC_EDIT_MINUTE, IDC_EDIT_SECOND})
      EXPECT_FALSE(e2e::IsReadOnly(Item(id))) << id;
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_CHECK_REMIND)));
  }
  void ExpectArmed() {
    EXPECT_EQ(Button(), L"取消");
    for (int id : {IDC_EDIT_HOUR, IDC_EDIT_MINUTE, IDC_EDIT_SECOND})
      EXPECT_TRUE(e2e::IsReadOnly(Item(id))) << id;
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_CHECK_REMIND)));
  }
  void ExpectFocusAndFullSelection(int id) {
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::FocusOf(m_vesper.Tid()) == Item(id); }))
        << "focus on " << id;
    const int length = e2e::TextLength(Item(id));
    EXPECT_EQ(e2e::Selection(Item(id)), std::make_pair(0, length)) << id;
  }

  // The reminder window, owned by the main window, shown or not; null before it exists.
  HWND Reminder() const {
    for (HWND hwnd : e2e::TopLevelWindows(m_vesper.Pid(), L"#32770"))
      if (GetWindow(hwnd, GW_OWNER) == m_main && e2e::Text(hwnd) == L"Horalux2.0") return hwnd;
    return nullptr;
  }
  HWND WaitForReminderShown(DWORD timeoutMs = 5000) const {
    HWND reminder = nullptr;
    e2e::WaitFor([&] { return (reminder = Reminder()) && IsWindowVisible(reminder); }, timeoutMs);
    return reminder && IsWindowVisible(reminder) ? reminder : nullptr;
  }
  static std::wstring ReminderText(HWND reminder) {
    return e2e::Text(GetDlgItem(reminder, IDC_STATIC_REMINDER));
  }
  // Arms with the reminder ticked for `ahead` seconds from now.
  void ArmIn(long long ahead, bool remind = true) {
    SendMessageW(Item(IDC_CHECK_REMIND), BM_SETCHECK, remind ? BST_CHECKED : BST_UNCHECKED, 0);
    Enter(LocalIn(ahead));
    Press(IDOK);
    ExpectArmed();
  }
  bool PoweredOff() const { return !e2e::ReadPowerOffLog(m_vesper.PowerOffLog()).empty(); }

  e2e::Program m_vesper;
  HWND m_main = nullptr;
};
