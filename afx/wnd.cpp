#include "wnd.h"

#include "gdi.h"
#include "menu.h"
#include "text.h"

namespace {
const wchar_t kSelfProp[] = L"Horalux.CWnd";
}  // namespace

CWnd::~CWnd() {
  // A window of ours that outlives its object would dispatch into freed memory.
  if (m_hWnd && m_superProc) DestroyWindow(m_hWnd);
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  m_hWnd = nullptr;
  return hwnd;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kSelfProp)) : nullptr;
}

void CWnd::SetWindowText(const CString& text) { afx::SetWindowTextOf(m_hWnd, text); }
CString CWnd::GetWindowText() const { return afx::GetWindowTextOf(m_hWnd); }

void CWnd::CenterWindow() {
  RECT window;
  ::GetWindowRect(m_hWnd, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT area = monitor.rcWork;

  RECT centre = area;
  HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &centre);

  int x = (centre.left + centre.right) / 2 - width / 2;
  int y = (centre.top + centre.bottom) / 2 - height / 2;
  // Keep the whole window inside the work area where it fits.
  if (x + width > area.right) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y + height > area.bottom) y = area.bottom - height;
  if (y < area.top) y = area.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::PaintMinimisedIcon(HICON icon) {
  CPaintDC dc(m_hWnd);
  SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
  RECT rect;
  GetClientRect(&rect);
  const int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  const int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon);
}

CMenu CWnd::GetSystemMenu(BOOL revert) const {
  return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

const afx::MessageMap* CWnd::GetMessageMap() const {
  static const afx::MessageMap map{nullptr, nullptr, 0};
  return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const UINT command = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  for (const afx::MessageMap* map = GetMessageMap(); map; map = map->base) {
    for (size_t i = 0; i < map->count; ++i) {
      const afx::MessageEntry& entry = map->entries[i];
      // A registered message whose registration failed (0) matches nothing.
      const UINT number = entry.registered ? *entry.registered : entry.message;
      if (number != message || (entry.registered && number == 0)) continue;
      // Command entries take menu items, accelerators and button clicks (codes 0 and 1).
      if (message == WM_COMMAND && (entry.commandId != command || code > 1)) continue;
      return entry.thunk(*this, wParam, lParam);
    }
  }
  return Default();
}

LRESULT CWnd::Default() {
  if (!m_pCurrentMsg || !m_superProc) return 0;
  const MSG& msg = *m_pCurrentMsg;
  return CallWindowProcW(m_superProc, msg.hwnd, msg.message, msg.wParam, msg.lParam);
}

void CWnd::SubclassWindow(HWND hwnd) {
  m_hWnd = hwnd;
  SetPropW(hwnd, kSelfProp, this);
  m_superProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* self = FromHandlePermanent(hwnd);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

  MSG current{};
  current.hwnd = hwnd;
  current.message = message;
  current.wParam = wParam;
  current.lParam = lParam;
  const MSG* outer = self->m_pCurrentMsg;
  self->m_pCurrentMsg = &current;
  const LRESULT result = self->WindowProc(message, wParam, lParam);
  self->m_pCurrentMsg = outer;

  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->m_superProc));
    RemovePropW(hwnd, kSelfProp);
    self->m_superProc = nullptr;
    self->m_hWnd = nullptr;
    self->PostNcDestroy();
  }
  return result;
}
