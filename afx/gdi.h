// GDI wrappers: each object has one owner, and a selected object is put back in the same scope.
#pragma once

#include <windows.h>

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

// A memory context compatible with another, deleted with its object.
class CMemoryDC {
 public:
  explicit CMemoryDC(HDC compatible) : m_hDC(CreateCompatibleDC(compatible)) {}
  ~CMemoryDC() {
    if (m_hDC) DeleteDC(m_hDC);
  }
  CMemoryDC(const CMemoryDC&) = delete;
  CMemoryDC& operator=(const CMemoryDC&) = delete;
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

 private:
  HDC m_hDC;
};

// A GDI object (pen, brush, bitmap, region) with one owner; DeleteObject on destruction unless
// handed over with Detach.
class CGdiObject {
 public:
  CGdiObject() = default;
  ~CGdiObject() { DeleteObject(); }
  CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject) {
    other.m_hObject = nullptr;
  }
  CGdiObject& operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
      DeleteObject();
      m_hObject = other.m_hObject;
      other.m_hObject = nullptr;
    }
    return *this;
  }
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  HGDIOBJ Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
  }
  BOOL DeleteObject() {
    const BOOL done = m_hObject ? ::DeleteObject(m_hObject) : FALSE;
    m_hObject = nullptr;
    return done;
  }

 protected:
  BOOL Attach(HGDIOBJ object) {
    DeleteObject();
    m_hObject = object;
    return object != nullptr;
  }

 private:
  HGDIOBJ m_hObject = nullptr;
};

class CPen : public CGdiObject {
 public:
  BOOL CreatePen(int style, int width, COLORREF colour) {
    return Attach(::CreatePen(style, width, colour));
  }
  operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }
};

class CBrush : public CGdiObject {
 public:
  BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
  operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }
};

class CBitmap : public CGdiObject {
 public:
  BOOL LoadBitmap(HINSTANCE instance, UINT id) {
    return Attach(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
  }
  operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }
};

class CRgn : public CGdiObject {
 public:
  BOOL CreateEllipticRgnIndirect(const RECT& rect) {
    return Attach(::CreateEllipticRgnIndirect(&rect));
  }
  operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }
};

// Selects an object into a context for the guard's scope, then selects the previous one again.
class CSelectGuard {
 public:
  CSelectGuard(HDC dc, HGDIOBJ object) : m_hDC(dc), m_hPrevious(SelectObject(dc, object)) {}
  ~CSelectGuard() {
    if (m_hPrevious) SelectObject(m_hDC, m_hPrevious);
  }
  CSelectGuard(const CSelectGuard&) = delete;
  CSelectGuard& operator=(const CSelectGuard&) = delete;

 private:
  HDC m_hDC;
  HGDIOBJ m_hPrevious;
};
