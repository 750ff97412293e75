// CTrayIcon in this process, with a window of its own as the icon's owner: the deletion the close
// work relies on, which the shell's own clean-up at process exit would hide end to end.
#include <windows.h>
#include <gtest/gtest.h>
#include <shellapi.h>

#include "harness.h"
#include "tray.h"

namespace {

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(m_owner, nullptr);
  }
  void TearDown() override { DestroyWindow(m_owner); }
  HWND m_owner = nullptr;
};

TEST_F(TrayIconTest, DeleteRemovesItAndRestoreBringsItBack) {
  HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
  {
    CTrayIcon tray;
    ASSERT_TRUE(tray.Add(m_owner, 128, WM_APP + 100, icon, "Horalux test"));
    EXPECT_TRUE(e2e::TrayIconExists(m_owner, 128));

    NOTIFYICONDATAW data{};  // as a shell restart leaves it
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = m_owner;
    data.uID = 128;
    Shell_NotifyIconW(NIM_DELETE, &data);
    EXPECT_TRUE(tray.Restore());
    EXPECT_TRUE(e2e::TrayIconExists(m_owner, 128));

    EXPECT_TRUE(tray.Delete());
    EXPECT_FALSE(e2e::TrayIconExists(m_owner, 128)) << "gone while its owner still exists";
    EXPECT_FALSE(tray.Delete()) << "a second deletion does nothing";
    EXPECT_FALSE(tray.Restore()) << "nothing brings a deleted icon back";
    EXPECT_FALSE(e2e::TrayIconExists(m_owner, 128));

    ASSERT_TRUE(tray.Add(m_owner, 129, WM_APP + 100, icon, "Horalux test"));
  }
  EXPECT_FALSE(e2e::TrayIconExists(m_owner, 129)) << "the destructor removes an icon left";
}

}  // namespace
