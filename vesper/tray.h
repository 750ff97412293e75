// The scheduler's icon in the notification area.
#pragma once

#include <windows.h>

#include "cstring.h"

class CTrayIcon {
 public:
  CTrayIcon() = default;
  ~CTrayIcon() { Delete(); }
  CTrayIcon(const CTrayIcon&) = delete;
  CTrayIcon& operator=(const CTrayIcon&) = delete;

  // Adds the icon for owner; its callbacks arrive as message with the id and the mouse message.
  BOOL Add(HWND owner, UINT id, UINT message, HICON icon, const CString& tip);
  // Adds it again with the last arguments, after the shell has restarted.
  BOOL Restore();
  // Removes the icon; after that, Delete and Restore do nothing.
  BOOL Delete();

 private:
  HWND m_hOwner = nullptr;
  UINT m_nId = 0;
  UINT m_nMessage = 0;
  HICON m_hIcon = nullptr;
  CString m_strTip;
};
