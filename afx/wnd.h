// CWnd: a window of ours (subclassed, dispatched through its message map) or a plain wrapper of a
// window owned elsewhere, such as a dialog's control.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "msgmap.h"

class CMenu;

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Wrapping without ownership; the window stays its owner's.
  void Attach(HWND hwnd) { m_hWnd = hwnd; }
  HWND Detach();
  // The CWnd of a window that dispatches through our message maps, or null.
  static CWnd* FromHandlePermanent(HWND hwnd);

  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  void SetWindowText(const CString& text);
  CString GetWindowText() const;
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageW(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::PostMessageW(m_hWnd, message, wParam, lParam);
  }
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  BOOL InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
    return ::InvalidateRect(m_hWnd, rect, erase);
  }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
  }
  // Centres the window over its owner, or in the work area of its screen when it has none.
  void CenterWindow();
  // Paints the whole of a minimised window: its icon background, then the icon centred.
  void PaintMinimisedIcon(HICON icon);
  // The window's system menu, not owned.
  CMenu GetSystemMenu(BOOL revert) const;

  // Called by the library's message loop before the message is translated and dispatched;
  // TRUE takes the message out of the loop.
  virtual BOOL PreTranslateMessage(MSG* msg);

 protected:
  virtual const afx::MessageMap* GetMessageMap() const;
  // Looks the message up in the maps, most derived first; unhandled messages go to Default.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Passes the message being handled to the window's original procedure.
  LRESULT Default();
  // Routes the window's messages through WindowProc until it is destroyed.
  void SubclassWindow(HWND hwnd);
  virtual void PostNcDestroy() {}

 private:
  static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC m_superProc = nullptr;
  const MSG* m_pCurrentMsg = nullptr;
};
