#include "menu.h"

#include "app.h"
#include "text.h"
#include "wnd.h"

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    DestroyMenu();
    m_hMenu = other.m_hMenu;
    m_bOwned = other.m_bOwned;
    other.m_hMenu = nullptr;
  }
  return *this;
}

CMenu CMenu::FromHandle(HMENU menu) {
  CMenu borrowed;
  borrowed.m_hMenu = menu;
  return borrowed;
}

BOOL CMenu::LoadMenu(UINT id) {
  DestroyMenu();
  m_hMenu = LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id));
  m_bOwned = m_hMenu != nullptr;
  return m_hMenu != nullptr;
}

BOOL CMenu::DestroyMenu() {
  BOOL done = FALSE;
  if (m_hMenu && m_bOwned) done = ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
  m_bOwned = false;
  return done;
}

CMenu CMenu::GetSubMenu(int position) const {
  return FromHandle(m_hMenu ? ::GetSubMenu(m_hMenu, position) : nullptr);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, const CString& text) {
  if (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW))
    return AppendMenuW(m_hMenu, flags, id, nullptr);
  return AppendMenuW(m_hMenu, flags, id, afx::Widen(text).c_str());
}

UINT CMenu::CheckMenuItem(UINT id, UINT check) {
  return static_cast<UINT>(::CheckMenuItem(m_hMenu, id, check));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, const CWnd& owner, const RECT* exclude) {
  return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner.m_hWnd, exclude);
}
