// CMenu: a menu handle with one owner. A menu loaded from resources is destroyed with its object;
// one that belongs to a window or to another menu (system menu, submenu) is only borrowed.
#pragma once

#include <windows.h>

#include "cstring.h"

class CWnd;

class CMenu {
 public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(CMenu&& other) noexcept : m_hMenu(other.m_hMenu), m_bOwned(other.m_bOwned) {
    other.m_hMenu = nullptr;
  }
  CMenu& operator=(CMenu&& other) noexcept;
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  static CMenu FromHandle(HMENU menu);  // borrowed

  BOOL LoadMenu(UINT id);
  BOOL DestroyMenu();
  HMENU GetSafeHmenu() const { return m_hMenu; }

  CMenu GetSubMenu(int position) const;  // borrowed
  BOOL AppendMenu(UINT flags, UINT_PTR id = 0, const CString& text = CString());
  UINT CheckMenuItem(UINT id, UINT check);
  BOOL TrackPopupMenu(UINT flags, int x, int y, const CWnd& owner, const RECT* exclude = nullptr);

 private:
  HMENU m_hMenu = nullptr;
  bool m_bOwned = false;
};
