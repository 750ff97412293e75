// End-to-end tests of the shipped clock.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>

#include "harness.h"
#include "resource.h"

namespace {

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(e2e::PowerOffStubInstalled());
    ASSERT_TRUE(m_clock.Start(L"clock.exe"));
    m_window = m_clock.WaitForWindow(L"#32770", L"");
    ASSERT_NE(m_window, nullptr);
    ASSERT_TRUE(e2e::WaitFor([&] { return IsWindowVisible(m_window) && Rect().right - Rect().left == 146; }));
  }
  void TearDown() override {
    for (DWORD pid : m_started) {
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
      if (!process) continue;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }

  RECT Rect() const {
    RECT rect{};
    GetWindowRect(m_window, &rect);
    return rect;
  }
  bool TopMost() const { return (GetWindowLongW(m_window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
  void Post(UINT message, WPARAM wParam, int x, int y) {
    PostMessageW(m_window, message, wParam, MAKELPARAM(x, y));
  }
  void Command(UINT id) { PostMessageW(m_window, WM_COMMAND, id, 0); }
  // Opens the context menu with a right press and returns its window.
  HWND OpenMenu() {
    Post(WM_RBUTTONDOWN, MK_RBUTTON, 75, 75);
    HWND menu = nullptr;
    e2e::WaitFor([&] {
      const std::vector<HWND> menus = e2e::MenuWindows(m_clock.Pid());
      menu = menus.empty() ? nullptr : menus[0];
      return menu != nullptr;
    });
    return menu;
  }
  // Dark pixels where the first item's check mark is drawn, in the open menu.
  static int CheckMarkInk(HWND menuWindow) {
    RECT menu;
    GetWindowRect(menuWindow, &menu);
    HDC screen = GetDC(nullptr);
    int ink = 0;
    for (int y = menu.top + 2; y < menu.top + 20; ++y)
      for (int x = menu.left + 2; x < menu.left + 18; ++x) {
        const COLORREF c = GetPixel(screen, x, y);
        if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) ++ink;
      }
    ReleaseDC(nullptr, screen);
    return ink;
  }
  void CloseMenu() {
    e2e::PostKey(m_clock.Tid(), VK_ESCAPE);
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::MenuWindows(m_clock.Pid()).empty(); }));
  }
  e2e::Program m_clock;
  HWND m_window = nullptr;
  std::vector<DWORD> m_started;
};

BOOL CALLBACK CollectSchedulers(HWND hwnd, LPARAM lParam) {
  wchar_t name[16];
  GetClassNameW(hwnd, name, 16);
  if (wcscmp(name, L"#32770") == 0 && e2e::Text(hwnd) == L"Horalux2.0" && !GetWindow(hwnd, GW_OWNER)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    reinterpret_cast<std::set<DWORD>*>(lParam)->insert(pid);
  }
  return TRUE;
}

std::set<DWORD> SchedulerProcesses() {
  std::set<DWORD> pids;
  EnumWindows(&CollectSchedulers, reinterpret_cast<LPARAM>(&pids));
  return pids;
}

TEST_F(ClockTest, CircularTopmostAndCentred) {
  const RECT rect = Rect();
  EXPECT_EQ(rect.right - rect.left, 146);
  EXPECT_EQ(rect.bottom - rect.top, 146);
  EXPECT_TRUE(TopMost());
  EXPECT_TRUE(GetWindowLongW(m_window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_FALSE(GetWindowLongW(m_window, GWL_STYLE) & (WS_CAPTION | WS_BORDER | WS_SYSMENU));
  RECT area;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 1);
  EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 1);

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(m_window, region), ERROR);
  struct Point {
    int x, y;
    bool inside;
  } const points[] = {{73, 73, true}, {73, 1, true},  {1, 73, true},    {144, 73, true},
                      {3, 3, false},  {142, 3, false}, {3, 142, false}, {142, 142, false}};
  for (const Point& p : points) EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside) << p.x << ',' << p.y;
  DeleteObject(region);
}

TEST_F(ClockTest, FaceAndHandsOnScreen) {
  const RECT rect = Rect();
  HDC screen = GetDC(nullptr);
  // The rim is silver, the dial white, the hub light grey over the hands.
  ASSERT_TRUE(e2e::WaitFor([&] {
    return GetPixel(screen, rect.left + 73, rect.top + 73) == RGB(230, 230, 230);
  }));
  const COLORREF rim = GetPixel(screen, rect.left + 73, rect.top + 3);
  EXPECT_NE(rim, RGB(255, 255, 255));
  EXPECT_NEAR(GetRValue(rim), GetBValue(rim), 20) << "grey, not coloured";
  EXPECT_EQ(GetPixel(screen, rect.left + 40, rect.top + 50) & 0xF0F0F0, RGB(240, 240, 240) & 0xF0F0F0);
  ReleaseDC(nullptr, screen);
}

TEST_F(ClockTest, KeyPressesAreIgnoredAndAltF4Ends) {
  for (UINT key : {UINT{VK_RETURN}, UINT{VK_ESCAPE}, UINT{'A'}, UINT{VK_SPACE}}) {
    PostMessageW(m_window, WM_KEYDOWN, key, 1);
    PostMessageW(e2e::FocusOf(m_clock.Tid()) ? e2e::FocusOf(m_clock.Tid()) : m_window, WM_KEYDOWN, key, 1);
  }
  // Posted messages are taken in order: once the menu is up, every key above has been handled.
  ASSERT_NE(OpenMenu(), nullptr);
  CloseMenu();
  EXPECT_TRUE(m_clock.Running());
  PostMessageW(m_window, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  EXPECT_TRUE(m_clock.WaitForExit());
}

// The shipped menu resource, read from clock.exe itself.
TEST(ClockResources, TheMenuItsItemsAndTheCheckMark) {
  HMODULE exe = LoadLibraryExW((e2e::DistDir() + L"clock.exe").c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_CLOCKMENU));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  const std::vector<e2e::MenuItem> items = e2e::ItemsOf(GetSubMenu(bar, 0));
  ASSERT_EQ(items.size(), 5u);
  const struct {
    const wchar_t* text;
    UINT id;
  } expected[] = {{L"在其他窗口前端显示", ID_MENU_TOPMOST}, {L"去官网发现更多功能", ID_MENU_WEBSITE},
                  {L"关于HoraluxV2.0", ID_MENU_ABOUT},     {L"Vesper", ID_MENU_SCHEDULER},
                  {L"系 统 退 出", ID_MENU_EXIT}};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(items[i].text, expected[i].text) << i;
    EXPECT_EQ(items[i].id, expected[i].id) << i;
    EXPECT_EQ((items[i].state & MFS_CHECKED) != 0, i == 0) << i;
  }
  DestroyMenu(bar);
  FreeLibrary(exe);
}

TEST_F(ClockTest, TheMenuOpensAtThePress) {
  HWND menuWindow = OpenMenu();
  ASSERT_NE(menuWindow, nullptr);
  const RECT rect = Rect();
  RECT menuRect;
  GetWindowRect(menuWindow, &menuRect);
  EXPECT_EQ(menuRect.left, rect.left + 75) << "the menu's corner at the press";
  EXPECT_EQ(menuRect.top, rect.top + 75);
  CloseMenu();
}

TEST_F(ClockTest, DragPutsTheCursorAtSeventyFive) {
  const RECT start = Rect();
  // A press without motion leaves the window where it is.
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
  Post(WM_LBUTTONUP, 0, 20, 30);
  ASSERT_NE(OpenMenu(), nullptr);  // an ordered round trip
  CloseMenu();
  EXPECT_EQ(Rect().left, start.left);
  EXPECT_EQ(Rect().top, start.top);

  // Grabbed at (20, 30), the first move puts the cursor at (75, 75) in the window.
  Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 30);
  Post(WM_MOUSEMOVE, MK_LBUTTON, 30, 50);
  ASSERT_TRUE(e2e::WaitFor([&] { return Rect().left != start.left; }));
  EXPECT_EQ(Rect().left, start.left + 30 - 75);
  EXPECT_EQ(Rect().top, start.top + 50 - 75);
  EXPECT_TRUE(TopMost());
  const RECT moved = Rect();
  Post(WM_MOUSEMOVE, MK_LBUTTON, 85, 70);  // now it follows with that anchor
  ASSERT_TRUE(e2e::WaitFor([&] { return Rect().left != moved.left; }));
  EXPECT_EQ(Rect().left, moved.left + 10);
  EXPECT_EQ(Rect().top, moved.top - 5);
  Post(WM_LBUTTONUP, 0, 85, 70);
  const RECT released = Rect();
  Post(WM_MOUSEMOVE, 0, 10, 10);  // after the release a move does nothing
  ASSERT_NE(OpenMenu(), nullptr);
  CloseMenu();
  EXPECT_EQ(Rect().left, released.left);
}

TEST_F(ClockTest, VesperStartsFromTheClocksFolderEachTime) {
  const std::set<DWORD> before = SchedulerProcesses();
  Command(ID_MENU_SCHEDULER);
  ASSERT_TRUE(e2e::WaitFor([&] { return SchedulerProcesses().size() == before.size() + 1; }, 10000));
  Command(ID_MENU_SCHEDULER);
  ASSERT_TRUE(e2e::WaitFor([&] { return SchedulerProcesses().size() == before.size() + 2; }, 10000));
  for (DWORD pid : SchedulerProcesses())
    if (!before.count(pid)) m_started.push_back(pid);
  EXPECT_EQ(m_started.size(), 2u);
  EXPECT_TRUE(m_clock.Running());
}

TEST_F(ClockTest, AboutBoxThenExit) {
  Command(ID_MENU_ABOUT);
  HWND box = e2e::WaitForOwnedDialog(m_window);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(e2e::Text(box), L"clock");
  const std::wstring text = e2e::MessageBoxText(box);
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 2) << "three lines";
  EXPECT_NE(text.find(L"Horalux"), std::wstring::npos);
  EXPECT_FALSE(IsWindowEnabled(m_window)) << "modal to the clock";
  e2e::PressOk(box);
  ASSERT_TRUE(e2e::WaitFor([&] { return IsWindowEnabled(m_window) != FALSE; }));
  Command(ID_MENU_EXIT);
  EXPECT_TRUE(m_clock.WaitForExit());
}

TEST_F(ClockTest, CloseRequestEnds) {
  PostMessageW(m_window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(m_clock.WaitForExit());
}

TEST_F(ClockTest, NoHandleGrowthOverRepaintsAndMenus) {
  // Every posted repaint is done once a menu opened after them is up; its window goes soon after.
  auto settle = [&] {
    ASSERT_NE(OpenMenu(), nullptr);
    CloseMenu();
    ASSERT_TRUE(e2e::WaitFor([&] { return e2e::TopLevelWindows(m_clock.Pid(), L"#32768").empty(); }));
  };
  for (int i = 0; i < 50; ++i) PostMessageW(m_window, WM_TIMER, 100, 0);
  settle();
  const int gdiBefore = e2e::LiveGdiObjectsOf(m_clock.Process());
  const int windowsBefore = e2e::WindowCountOf(m_clock.Pid());
  ASSERT_GT(gdiBefore, 0);
  for (int round = 0; round < 20; ++round) {
    for (int i = 0; i < 100; ++i) PostMessageW(m_window, WM_TIMER, 100, 0);
    settle();
  }
  const int gdiAfter = e2e::LiveGdiObjectsOf(m_clock.Process());
  const int windowsAfter = e2e::WindowCountOf(m_clock.Pid());
  std::printf("clock: GDI objects %d -> %d, windows %d -> %d over 2000 repaints and 21 menus\n",
              gdiBefore, gdiAfter, windowsBefore, windowsAfter);
  EXPECT_LE(gdiAfter, gdiBefore);
  EXPECT_LE(windowsAfter, windowsBefore);
}

}  // namespace
