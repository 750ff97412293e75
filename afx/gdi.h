// GDI wrappers: each object has one owner, and a selected object is put back in the same scope.
#pragma once

#include <windows.h>

class CWnd;

// The context of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
class CPaintDC {
 public:
  explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(BeginPaint(hwnd, &m_ps)) {}
  ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

 private:
  HWND m_hWnd;
  PAINTSTRUCT m_ps{};
  HDC m_hDC;
};
