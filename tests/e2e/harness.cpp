#include "harness.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (true) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return condition();
    Sleep(2);
  }
}

std::wstring DistDir() {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"HORALUX_DIST", buffer, MAX_PATH * 2);
  std::wstring dir = length ? std::wstring(buffer, length) : std::wstring(L".");
  for (wchar_t& c : dir)
    if (c == L'/') c = L'\\';
  if (dir.back() != L'\\') dir += L'\\';
  return dir;
}

std::wstring NewPowerOffLog() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  wchar_t name[MAX_PATH * 2];
  swprintf(name, MAX_PATH * 2, L"%lshoralux-poweroff-%lu-%d.log", temp, GetCurrentProcessId(),
           ++counter);
  DeleteFileW(name);
  return name;
}

namespace {
std::string ReadWhole(const std::wstring& path) {
  std::string content;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return content;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
    content.append(buffer, read);
  CloseHandle(file);
  return content;
}
}  // namespace

bool PowerOffStubInstalled() {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  if (ReadWhole(std::wstring(system) + L"\\wineboot.exe").find("HoraluxWinebootStub") ==
      std::string::npos)
    return false;
  // Wine reads the load order from the Unix environment that a process starts with, which the
  // programs inherit from this one; an environment block passed to CreateProcess does not count.
  wchar_t overrides[512];
  const DWORD length = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
  return length > 0 && length < 512 && wcsstr(overrides, L"wineboot.exe=n") != nullptr;
}

std::vector<std::string> ReadPowerOffLog(const std::wstring& path) {
  std::vector<std::string> lines;
  const std::string content = ReadWhole(path);
  size_t start = 0;
  while (start < content.size()) {
    size_t end = content.find('\n', start);
    if (end == std::string::npos) end = content.size();
    if (end > start) lines.push_back(content.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

namespace {

// The current environment with the stub's log file named.
std::vector<wchar_t> ChildEnvironment(const std::wstring& log) {
  std::vector<wchar_t> block;
  wchar_t* current = GetEnvironmentStringsW();
  for (const wchar_t* p = current; *p; p += wcslen(p) + 1) {
    if (_wcsnicmp(p, L"HORALUX_POWEROFF_LOG=", 21) == 0) continue;
    block.insert(block.end(), p, p + wcslen(p) + 1);
  }
  FreeEnvironmentStringsW(current);
  const std::wstring entry = L"HORALUX_POWEROFF_LOG=" + log;
  block.insert(block.end(), entry.begin(), entry.end());
  block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

struct FindContext {
  DWORD pid;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam) {
  auto* context = reinterpret_cast<FindContext*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != context->pid) return TRUE;
  wchar_t name[64];
  GetClassNameW(hwnd, name, 64);
  if (!context->className || wcscmp(name, context->className) == 0) context->found.push_back(hwnd);
  return TRUE;
}

}  // namespace

Program::~Program() { Kill(); }

bool Program::Start(const std::wstring& exe, const LaunchOptions& options) {
  m_log = NewPowerOffLog();
  const std::wstring dir = DistDir();
  std::wstring path = dir + exe;
  std::wstring commandLine = L"\"" + path + L"\"";
  std::vector<wchar_t> environment = ChildEnvironment(m_log);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (options.suspended ? CREATE_SUSPENDED : 0);
  BOOL ok;
  if (options.token)
    ok = CreateProcessAsUserW(options.token, path.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                              flags, environment.data(), dir.c_str(), &startup, &m_info);
  else
    ok = CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, flags,
                        environment.data(), dir.c_str(), &startup, &m_info);
  if (!ok) m_info = PROCESS_INFORMATION{};
  return ok != FALSE;
}

void Program::Resume() { ResumeThread(m_info.hThread); }

HWND Program::WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND hwnd : TopLevelWindows(Pid(), className)) {
          if (GetWindow(hwnd, GW_OWNER) == nullptr && Text(hwnd) == caption) {
            found = hwnd;
            return true;
          }
        }
        return false;
      },
      timeoutMs);
  return found;
}

bool Program::WaitForExit(DWORD timeoutMs) {
  return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

bool Program::Running() const {
  return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void Program::Kill() {
  if (!m_info.hProcess) return;
  if (Running()) {
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 5000);
  }
  CloseHandle(m_info.hProcess);
  CloseHandle(m_info.hThread);
  m_info = PROCESS_INFORMATION{};
}

std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* className) {
  FindContext context{pid, className, {}};
  EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&context));
  return context.found;
}

HWND FindOwnedDialog(HWND owner) {
  DWORD pid = 0;
  GetWindowThreadProcessId(owner, &pid);
  for (HWND hwnd : TopLevelWindows(pid, L"#32770"))
    if (GetWindow(hwnd, GW_OWNER) == owner && IsWindowVisible(hwnd)) return hwnd;
  return nullptr;
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMs) {
  HWND box = nullptr;
  WaitFor([&] { return (box = FindOwnedDialog(owner)) != nullptr; }, timeoutMs);
  return box;
}

std::wstring Text(HWND hwnd) {
  wchar_t buffer[1024];
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 3000, &copied))
    return L"<no answer>";
  return std::wstring(buffer, copied);
}

int TextLength(HWND hwnd) { return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

void SetText(HWND hwnd, const std::wstring& text) {
  SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring MessageBoxText(HWND box) { return Text(GetDlgItem(box, 0xFFFF)); }

void PressOk(HWND box) { PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0); }

HWND FocusOf(DWORD threadId) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

std::pair<int, int> Selection(HWND edit) {
  const DWORD sel = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
  return {LOWORD(sel), HIWORD(sel)};
}

bool IsReadOnly(HWND edit) { return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0; }

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PostKey(DWORD threadId, UINT vk) {
  HWND focus = FocusOf(threadId);
  const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  PostMessageW(focus, WM_KEYDOWN, vk, 1 | (scan << 16));
  PostMessageW(focus, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
}

bool TrayIconExists(HWND owner, UINT id) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = owner;
  data.uID = id;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

namespace {
BOOL CALLBACK CollectAll(HWND hwnd, LPARAM lParam) {
  reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
  return TRUE;
}
std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64];
  return GetClassNameW(hwnd, name, 64) ? name : L"";
}
}  // namespace

std::vector<std::wstring> TrayTips() {
  std::vector<std::wstring> tips;
  std::vector<HWND> windows;
  EnumWindows(&CollectAll, reinterpret_cast<LPARAM>(&windows));
  for (HWND tooltip : windows) {
    if (ClassOf(tooltip) != L"tooltips_class32") continue;
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) continue;
    // The tool record and its text buffer must live in the tooltip's own process.
    const SIZE_T textChars = 1024;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(
        process, nullptr, sizeof(TTTOOLINFOW) + textChars * 2, MEM_COMMIT, PAGE_READWRITE));
    const int count = static_cast<int>(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; remote && i < count; ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof info;
      info.lpszText = reinterpret_cast<LPWSTR>(remote + sizeof info);
      WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
      if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote))) continue;
      TTTOOLINFOW back{};
      ReadProcessMemory(process, remote, &back, sizeof back, nullptr);
      if (back.lpszText == LPSTR_TEXTCALLBACKW || !back.lpszText) continue;
      wchar_t text[1024] = {};
      ReadProcessMemory(process, back.lpszText, text, sizeof text - sizeof text[0], nullptr);
      tips.push_back(text);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
  }
  return tips;
}

std::vector<HWND> TrayIconWindows() {
  std::vector<HWND> icons;
  std::vector<HWND> windows;
  EnumWindows(&CollectAll, reinterpret_cast<LPARAM>(&windows));
  for (HWND tray : windows) {
    if (ClassOf(tray) != L"__winex11_standalone_tray") continue;
    std::vector<HWND> children;
    EnumChildWindows(tray, &CollectAll, reinterpret_cast<LPARAM>(&children));
    for (HWND child : children)
      if (ClassOf(child) == L"__winex11_tray_icon") icons.push_back(child);
  }
  return icons;
}

std::vector<HWND> MenuWindows(DWORD pid) {
  std::vector<HWND> menus;
  for (HWND hwnd : TopLevelWindows(pid, L"#32768"))
    if (IsWindowVisible(hwnd)) menus.push_back(hwnd);
  return menus;
}

int LiveGdiObjectsOf(HANDLE process) {
  struct BasicInformation {
    LONG exitStatus;
    void* pebBase;
    ULONG_PTR affinity, priority, pid, parent;
  } info{};
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  if (!query || query(process, 0, &info, sizeof info, nullptr) != 0) return -1;
  DWORD table = 0;  // the 32-bit PEB's GdiSharedHandleTable, at 0x94
  if (!ReadProcessMemory(process, static_cast<BYTE*>(info.pebBase) + 0x94, &table, sizeof table,
                         nullptr) ||
      !table)
    return -1;
  constexpr size_t kEntries = 0x10000, kEntrySize = 24;
  std::vector<BYTE> entries(kEntries * kEntrySize);
  if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<UINT_PTR>(table)),
                         entries.data(), entries.size(), nullptr))
    return -1;
  int live = 0;
  for (size_t i = 0; i < kEntries; ++i) {
    const BYTE* entry = &entries[i * kEntrySize];
    if (entry[14] != 0 && !(entry[12] & 0x80)) ++live;  // live, and not a stock object
  }
  return live;
}

int SettledGdiObjectsOf(HANDLE process) {
  int least = LiveGdiObjectsOf(process);
  for (int i = 0; i < 8; ++i) {
    Sleep(7);
    const int reading = LiveGdiObjectsOf(process);
    if (reading < least) least = reading;
  }
  return least;
}

int WindowCountOf(DWORD pid) {
  int count = 0;
  for (HWND top : TopLevelWindows(pid, nullptr)) {
    std::vector<HWND> children;
    EnumChildWindows(top, &CollectAll, reinterpret_cast<LPARAM>(&children));
    count += 1 + static_cast<int>(children.size());
  }
  return count;
}

std::vector<MenuItem> ItemsOf(HMENU menu) {
  std::vector<MenuItem> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[128] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
    info.dwTypeData = text;
    info.cch = 127;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) break;
    items.push_back({text, info.wID, info.fState});
  }
  return items;
}

}  // namespace e2e
