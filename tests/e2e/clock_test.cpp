// End-to-end tests of the shipped clock.exe.
#include <windows.h>
#include <gtest/gtest.h>

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
    // The cursor away from where the window and its menu appear, so that it highlights nothing.
    SetCursorPos(5, GetSystemMetrics(SM_CYSCREEN) - 5);
    ASSERT_TRUE(m_clock.Start(L"clock.exe"));
    m_window = m_clock.WaitForWindow(L"#32770", L"");
    ASSERT_NE(m_window, nullptr);
    ASSERT_TRUE(e2e::WaitFor(
        [&] { return IsWindowVisible(m_window) && Rect().right - Rect().left == 146; }));
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
  // Real mouse input at a screen point, as the user's hand makes it: the cursor moves there, then
  // the buttons of flags act. Wine reports the cursor with the moves it makes up itself (on a
  // change of capture, for one), so posted mouse messages would disagree with it.
  static void MouseInput(POINT at, DWORD flags = 0) {
    SetCursorPos(at.x, at.y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | flags;  // a move by (0, 0): the cursor stays
    SendInput(1, &input, sizeof input);
  }
  POINT At(int x, int y) const { return POINT{Rect().left + x, Rect().top + y}; }
  // Every input before it has been handled once the menu that a right click opens is up.
  void InputRoundTrip(POINT at) {
    MouseInput(at, MOUSEEVENTF_RIGHTDOWN);
    MouseInput(at, MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(e2e::WaitFor([&] { return !e2e::MenuWindows(m_clock.Pid()).empty(); }));
    CloseMenu();
  }
  // Opens the context menu with a right press and returns its window. At (145, 145), outside the
  // round window, the menu's check mark is where the window cannot hide it.
  HWND OpenMenu(int x = 145, int y = 145) {
    Post(WM_RBUTTONDOWN, MK_RBUTTON, x, y);
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
  if (wcscmp(name, L"#32770") == 0 && e2e::Text(hwnd) == L"Horalux2.0" &&
      !GetWindow(hwnd, GW_OWNER)) {
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
  } const points[] = {{73, 73, true}, {73, 1, true},   {1, 73, true},   {144, 73, true},
                      {3, 3, false},  {142, 3, false}, {3, 142, false}, {142, 142, false}};
  for (const Point& p : points)
    EXPECT_EQ(PtInRegion(region, p.x, p.y) != FALSE, p.inside) << p.x << ',' << p.y;
  DeleteObject(region);
}

TEST_F(ClockTest, FaceAndHandsOnScreen) {
  const RECT rect = Rect();
  HDC screen = GetDC(nullptr);
  // The rim is silver, the dial white, the hub light grey over the hands. The dial is sampled 57 px
  // out, between two minute ticks and beyond the reach of every hand (56 px).
  ASSERT_TRUE(e2e::WaitFor(
      [&] { return GetPixel(screen, rect.left + 73, rect.top + 73) == RGB(230, 230, 230); }));
  const COLORREF rim = GetPixel(screen, rect.left + 73, rect.top + 3);
  EXPECT_NE(rim, RGB(255, 255, 255));
  EXPECT_NEAR(GetRValue(rim), GetBValue(rim), 20) << "grey, not coloured";
  EXPECT_EQ(GetPixel(screen, rect.left + 76, rect.top + 16) & 0xF0F0F0,
            RGB(240, 240, 240) & 0xF0F0F0);
  ReleaseDC(nullptr, screen);
}

TEST_F(ClockTest, KeyPressesAreIgnoredAndAltF4Ends) {
  for (UINT key : {UINT{VK_RETURN}, UINT{VK_ESCAPE}, UINT{'A'}, UINT{VK_SPACE}}) {
    PostMessageW(m_window, WM_KEYDOWN, key, 1);
    PostMessageW(e2e::FocusOf(m_clock.Tid()) ? e2e::FocusOf(m_clock.Tid()) : m_window, WM_KEYDOWN,
                 key, 1);
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
  HMODULE exe =
      LoadLibraryExW((e2e::DistDir() + L"clock.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr);
  HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_CLOCKMENU));
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  const std::vector<e2e::MenuItem> items = e2e::ItemsOf(GetSubMenu(bar, 0));
  ASSERT_EQ(items.size(), 5u);
  const struct {
    const wchar_t* text;
    UINT id;
  } expected[] = {{L"在其他窗口前端显示", ID_MENU_TOPMOST},
                  {L"去官网发现更多功能", ID_MENU_WEBSITE},
                  {L"关于HoraluxV2.0", ID_MENU_ABOUT},
                  {L"Vesper", ID_MENU_SCHEDULER},
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
  HWND menuWindow = OpenMenu(75, 75);
  ASSERT_NE(menuWindow, nullptr);
  const RECT rect = Rect();
  RECT menuRect;
  GetWindowRect(menuWindow, &menuRect);
  EXPECT_EQ(menuRect.left, rect.left + 75) << "the menu's corner at the press";
  EXPECT_EQ(menuRect.top, rect.top + 75);
  CloseMenu();
}

TEST_F(ClockTest, AlwaysOnTopOffAndOnAgain) {
  const RECT before = Rect();
  HWND menuWindow = OpenMenu();
  ASSERT_NE(menuWindow, nullptr);
  ASSERT_TRUE(e2e::WaitFor([&] { return CheckMarkInk(menuWindow) > 0; }, 3000))
      << "checked at start";
  // Chosen from the menu with the keyboard: the first item.
  e2e::PostKey(m_clock.Tid(), VK_DOWN);
  e2e::PostKey(m_clock.Tid(), VK_RETURN);
  ASSERT_TRUE(e2e::WaitFor([&] { return !TopMost(); }));
  menuWindow = OpenMenu();
  ASSERT_NE(menuWindow, nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return CheckMarkInk(menuWindow) == 0; }, 3000)) << "unchecked";
  CloseMenu();

  // A drag keeps the window out of the topmost band.
  MouseInput(At(75, 75), MOUSEEVENTF_LEFTDOWN);
  MouseInput(At(80, 80));
  ASSERT_TRUE(e2e::WaitFor([&] { return Rect().left == before.left + 5; }));
  MouseInput(At(75, 75), MOUSEEVENTF_LEFTUP);
  EXPECT_FALSE(TopMost());

  Command(ID_MENU_TOPMOST);
  ASSERT_TRUE(e2e::WaitFor([&] { return TopMost(); }));
  EXPECT_EQ(Rect().left, before.left + 5) << "the window does not move";
  EXPECT_EQ(Rect().top, before.top + 5);
  menuWindow = OpenMenu();
  ASSERT_NE(menuWindow, nullptr);
  EXPECT_TRUE(e2e::WaitFor([&] { return CheckMarkInk(menuWindow) > 0; }, 3000)) << "checked again";
  CloseMenu();
}

TEST_F(ClockTest, DragPutsTheCursorAtSeventyFive) {
  const RECT start = Rect();
  // A click at (75, 75) without motion leaves the window where it is.
  MouseInput(At(75, 75), MOUSEEVENTF_LEFTDOWN);
  MouseInput(At(75, 75), MOUSEEVENTF_LEFTUP);
  InputRoundTrip(At(75, 75));
  EXPECT_EQ(Rect().left, start.left);
  EXPECT_EQ(Rect().top, start.top);

  // Grabbed at (20, 30): the first move puts the cursor at (75, 75) in the window.
  MouseInput(At(20, 30), MOUSEEVENTF_LEFTDOWN);
  const POINT first{start.left + 30, start.top + 50};
  MouseInput(first);
  ASSERT_TRUE(e2e::WaitFor([&] {
    return Rect().left == first.x - 75 && Rect().top == first.y - 75;
  })) << Rect().left
      << ',' << Rect().top;
  EXPECT_TRUE(TopMost());
  // From then on it follows the cursor with that anchor, off the screen too.
  const POINT second{first.x + 10, first.y - 5};
  MouseInput(second);
  ASSERT_TRUE(
      e2e::WaitFor([&] { return Rect().left == second.x - 75 && Rect().top == second.y - 75; }));
  MouseInput(second, MOUSEEVENTF_LEFTUP);
  // After the release a move does nothing.
  MouseInput(POINT{second.x + 20, second.y + 20});
  InputRoundTrip(At(75, 75));
  EXPECT_EQ(Rect().left, second.x - 75);
  EXPECT_EQ(Rect().top, second.y - 75);
}

TEST_F(ClockTest, VesperStartsFromTheClocksFolderEachTime) {
  const std::set<DWORD> before = SchedulerProcesses();
  Command(ID_MENU_SCHEDULER);
  ASSERT_TRUE(
      e2e::WaitFor([&] { return SchedulerProcesses().size() == before.size() + 1; }, 10000));
  Command(ID_MENU_SCHEDULER);
  ASSERT_TRUE(
      e2e::WaitFor([&] { return SchedulerProcesses().size() == before.size() + 2; }, 10000));
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
    ASSERT_TRUE(
        e2e::WaitFor([&] { return e2e::TopLevelWindows(m_clock.Pid(), L"#32768").empty(); }));
  };
  // A warm-up first: what the platform makes once and keeps (menu and paint caches) is no leak.
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 100; ++i) PostMessageW(m_window, WM_TIMER, 100, 0);
    settle();
  }
  const int gdiBefore = e2e::SettledGdiObjectsOf(m_clock.Process());
  const int windowsBefore = e2e::WindowCountOf(m_clock.Pid());
  ASSERT_GT(gdiBefore, 0);
  for (int round = 0; round < 20; ++round) {
    for (int i = 0; i < 100; ++i) PostMessageW(m_window, WM_TIMER, 100, 0);
    settle();
  }
  const int gdiAfter = e2e::SettledGdiObjectsOf(m_clock.Process());
  const int windowsAfter = e2e::WindowCountOf(m_clock.Pid());
  std::printf("clock: GDI objects %d -> %d, windows %d -> %d over 2000 repaints and 21 menus\n",
              gdiBefore, gdiAfter, windowsBefore, windowsAfter);
  EXPECT_LE(gdiAfter, gdiBefore);
  EXPECT_LE(windowsAfter, windowsBefore);
}

}  // namespace
