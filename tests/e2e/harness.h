// Drives the real programs from another process under Wine: starts them from the shipped folder,
// finds their windows, reads texts and states, and waits for conditions with a deadline.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// Polls until the condition holds or the time runs out; returns the last result.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// The shipped folder (HORALUX_DIST), with a trailing backslash.
std::wstring DistDir();
// A fresh, empty file for the stub wineboot.exe to log power-off requests into.
std::wstring NewPowerOffLog();
// The stub's lines, one a request: "<unix ms> <command line> [marker]".
std::vector<std::string> ReadPowerOffLog(const std::wstring& path);
// True when system32's wineboot.exe is the stub and this process's WINEDLLOVERRIDES binds it
// (wineboot.exe=n), so that a power-off request cannot end the session.
bool PowerOffStubInstalled();

struct LaunchOptions {
  HANDLE token = nullptr;  // start as this user token (CreateProcessAsUser)
  bool suspended = false;  // leave the main thread suspended
};

class Program {
 public:
  Program() = default;
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Starts DistDir()+exe in that folder, naming the stub's log file in its environment.
  bool Start(const std::wstring& exe, const LaunchOptions& options = LaunchOptions());
  void Resume();
  // Waits for the top-level window of this process with the class and caption.
  HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs = 10000);
  bool WaitForExit(DWORD timeoutMs = 5000);
  bool Running() const;
  void Kill();

  DWORD Pid() const { return m_info.dwProcessId; }
  DWORD Tid() const { return m_info.dwThreadId; }
  HANDLE Process() const { return m_info.hProcess; }
  HANDLE Thread() const { return m_info.hThread; }
  const std::wstring& PowerOffLog() const { return m_log; }

 private:
  PROCESS_INFORMATION m_info{};
  std::wstring m_log;
};

// Every visible top-level window of the process with that class.
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className);
// A message box (or other dialog) owned by owner, visible.
HWND FindOwnedDialog(HWND owner);
HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs = 5000);

std::wstring Text(HWND hwnd);  // at most 1023 characters
int TextLength(HWND hwnd);     // WM_GETTEXTLENGTH: GetWindowTextLength gives 0 across processes
void SetText(HWND hwnd, const std::wstring& text);
// The text of a message box: its static with id 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses OK on a message box.
void PressOk(HWND box);

HWND FocusOf(DWORD threadId);
// EM_GETSEL as (start, end).
std::pair<int, int> Selection(HWND edit);
bool IsReadOnly(HWND edit);
bool IsChecked(HWND button);
// Posts a key press (down and up) to the window with the keyboard focus of the thread.
void PostKey(DWORD threadId, UINT vk);

// The notification area, as Wine's explorer shows it without a virtual desktop.
// Whether the shell holds an icon for owner and id (NIM_MODIFY without flags changes nothing).
bool TrayIconExists(HWND owner, UINT id);
// The tips of every icon the shell shows, read from its tooltip windows.
std::vector<std::wstring> TrayTips();
// The window of each icon in the notification area.
std::vector<HWND> TrayIconWindows();
// The visible pop-up menu windows of a process.
std::vector<HWND> MenuWindows(DWORD pid);

// Live GDI objects of another process, from the handle table its PEB points to; -1 if unreadable.
int LiveGdiObjectsOf(HANDLE process);
// The least of several readings a few milliseconds apart: the program's own timer may be painting
// at any one of them, with its pens alive; a leak raises every reading.
int SettledGdiObjectsOf(HANDLE process);
// Every window of a process, top-level and child.
int WindowCountOf(DWORD pid);
// The texts and states of a menu, one item a row.
struct MenuItem {
  std::wstring text;
  UINT id;
  UINT state;
};
std::vector<MenuItem> ItemsOf(HMENU menu);

}  // namespace e2e
